#pragma once

#include <string>

#include "model/Global_var.h"
#include "model/ParameterNumbers.h"

// The texts beside the input and output boxes: the option text of the
// function each input (parameters 249, 250) and output (252 .. 255) is set
// to. Without a loaded catalogue there is nothing to show (returns false).
constexpr int kInputFunctionParameters[2] = {ParameterNumber::InputFunction(1), ParameterNumber::InputFunction(2)};
constexpr int kOutputFunctionParameters[4] = {ParameterNumber::OutputFunction(1), ParameterNumber::OutputFunction(2),
                                             ParameterNumber::OutputFunction(3), ParameterNumber::OutputFunction(4)};

bool FunctionLabelText(const TGlobalVar& globals, int parameter, std::string& text);
