#pragma once

#include <string>

#include "params/Global_var.h"

// The texts beside the input and output boxes: the option text of the
// function each input (parameters 249, 250) and output (252 .. 255) is set
// to. Without a loaded catalogue there is nothing to show (returns false).
constexpr int kInputFunctionParameters[2] = {249, 250};
constexpr int kOutputFunctionParameters[4] = {252, 253, 254, 255};

bool FunctionLabelText(const TGlobalVar& globals, int parameter, std::string& text);
