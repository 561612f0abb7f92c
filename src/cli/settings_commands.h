#pragma once

#include <string>
#include <vector>

#include "cli/command_line.h"

namespace pixmosa::cli {

// get NAME: the setting as the window's load reads it.
int getSetting(const std::string& name, Context& context);
// set NAME VALUE: stored with the field's type, numbers clamped as the window clamps them.
int setSetting(const std::string& name, const std::string& value, Context& context);
// text get SECTION / text set SECTION (lines from standard input).
int getText(const std::string& section, Context& context);
int setText(const std::string& section, Context& context);
// banks list | add NAME | delete NAME
int listBanks(Context& context);
int addBank(const std::string& name, Context& context);
int deleteBank(const std::string& name, Context& context);

}  // namespace pixmosa::cli
