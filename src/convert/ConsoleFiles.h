#pragma once

#include <string>
#include <vector>

struct ConversionRequest;

// quillet-cli's runs over the files it is given: each converted in turn, or converted and
// then watched. Every file has its own derived output; `request` gives the rest (-o for one
// file alone, --info, --org, --ent, --sp), its source left out.

// Converts each of `files` as ConvertOnConsole converts one, going on after a file that
// fails; with --info, each file's lines are headed by its name where there are several.
// Returns the highest of their exit statuses (0 when every file was converted); a usage
// line follows, once, where a file was named wrongly.
int ConvertFilesOnConsole(const std::vector<std::string>& files, ConversionRequest request,
                          const std::string& usageLine);

// quillet-cli --watch: converts each of `files`, then waits for any of them to be written
// again (FollowedFile: in place, or a new file renamed over it, quiet for a moment) and
// converts that one again, for as long as it runs. Each line it prints begins with the time
// of day: "12:04:31 File saved as 'GAME.EXE'". A conversion that fails is said as any is,
// and watching goes on: the earlier executable stays as it was. SIGINT or SIGTERM (Ctrl+C,
// Ctrl+Break on Windows) ends it with 0, once any conversion under way is done. It waits on
// the system's notifications of changes in the files' folders (FolderWatch), looking every
// second only where there are none. Returns 2 at once, after the reason and `usageLine`, for
// a file that could never be converted (NameRefusal), a folder that cannot be watched, or
// an output to standard output (-o -) or another descriptor.
int WatchFilesOnConsole(const std::vector<std::string>& files, ConversionRequest request,
                        const std::string& usageLine);
