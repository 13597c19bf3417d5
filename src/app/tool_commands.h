// The subcommands of boxtool; each takes the arguments after its name and returns the exit status.
#pragma once

#include <string>
#include <vector>

namespace boxedit {

using ToolArgs = std::vector<std::string>;

int RunCheck(const ToolArgs& args);       // boxtool check [DIR]
int RunResave(const ToolArgs& args);      // boxtool resave s|l [DIR]
int RunReplay(const ToolArgs& args);      // boxtool replay SCRIPT [--layout 565|555]
int RunMakeSample(const ToolArgs& args);  // boxtool make-sample DIR
int RunSheet(const ToolArgs& args);       // boxtool sheet [DIR] OUT.png [options]
int RunFrames(const ToolArgs& args);      // boxtool frames [DIR] [--motion M] [--format F]
int RunDiff(const ToolArgs& args);        // boxtool diff A B [--format text|json]
int RunExport(const ToolArgs& args);      // boxtool export [DIR] [--output FILE]
int RunImport(const ToolArgs& args);      // boxtool import FILE.json [DIR] [--layout s|l]

}  // namespace boxedit
