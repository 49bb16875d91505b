#pragma once

#include <string>
#include <vector>

#include "cli/CliCall.h"
#include "cli/CliOutput.h"
#include "cli/UnitRun.h"
#include "model/ParameterComparison.h"

// How vq2x shows a comparison: one line per row, "P007  name  A  B" with a
// "!" after a value beyond its catalogue limits, or in JSON
//   {"rows": [{"number", "name", "a", "b", "a_raw", "b_raw", ...}], "compared", "different"}.

// The catalogue of the shared state in the language of the call.
EditorCatalogues CliCatalogues(int language);

// Titles over the two value columns, then the rows that differ, or every
// row with `all` (differing ones marked "*"), then the counts.
void PrintComparison(const Comparison& comparison, bool all, const CliOutput& out, const std::string& a,
                     const std::string& b);
// The keys of a row's two values are `a` and `b` ("a", "a_raw", "a_outside_limits").
Json ComparisonJson(const Comparison& comparison, bool all, const std::string& a = "a", const std::string& b = "b");

// Writes the steps; with --verify reads every value back and lists each
// the device holds otherwise, as "written" and "device" columns and in
// result["verify"] (the outcome is then kDifferent).
JobOutcome WriteChecked(DeviceLine& line, int unit, std::vector<TransferStep> steps, const DeviceContent& send,
                        const CliCall& call, const CliOutput& out, Json& result);

// What is wrong with a file read for a comparison or a write.
std::string FileProblem(const std::string& path, const ValueFileStatus& status);
