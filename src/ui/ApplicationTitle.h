#pragma once

// The program's title: the main window's caption and the caption of its
// message boxes.
constexpr const char* kApplicationTitle = "Mirelo Software Tool (KRT2)";
