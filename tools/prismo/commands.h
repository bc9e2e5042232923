// The subcommands of the prismo host tool. Each returns the exit code and
// prints one clear line for every failure.
#pragma once

#include <string>
#include <vector>

using Arguments = std::vector<std::string>;

int RunInfo(const Arguments& arguments);
int RunSupported(const Arguments& arguments);
int RunRender(const Arguments& arguments);
int RunInspect(const Arguments& arguments);
int RunConfig(const Arguments& arguments);

// "--name value" from the arguments; empty when absent.
std::string OptionValue(const Arguments& arguments, const std::string& name);
bool HasFlag(const Arguments& arguments, const std::string& name);
// The first argument that is neither an option nor an option's value.
std::string Positional(const Arguments& arguments, const std::vector<std::string>& valueOptions);
