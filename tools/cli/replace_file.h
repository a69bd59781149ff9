// Writing a file whole or not at all: the bytes go to a new file beside the
// target, which takes the target's name only once they are all written.
#pragma once
#include <string>
#include <string_view>

// False, with the reason in error, when the file cannot be written; the
// target is then as it was and nothing is left beside it, also when a
// file-size limit, Ctrl+C or a kill (TERM, HUP, QUIT) stops the writing.
// An existing target keeps its mode; a link is followed to the regular file
// it leads to; anything but a regular file or a free name is refused.
bool ReplaceFile(const std::string& path, std::string_view bytes, std::string& error);
