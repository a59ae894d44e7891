// Shell item ID lists: the binary form in which the shell, and the open and save dialogs'
// history (ComDlg32\...PidlMRU), store a location. Only the plain file-system lists are
// turned into paths; every other kind of list is one whose target cannot be told.
//
// The data is untrusted: every reader stays inside the bytes it is given, whatever the
// size fields say.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace ovalin {

// The Windows path that an ID list names when it is a plain file-system path: My
// Computer, then a drive ("C:\"), then folders, and at most one file as the last item.
// Long names are used where the items carry them. nullopt when the list names anything
// else (libraries, known folders, the network, control panel, archive contents, devices),
// when a name cannot be known for sure, or when the data is malformed.
std::optional<std::u16string> FileSystemPathOfIdList(const std::uint8_t* data, std::size_t size);

// One value of LastVisitedPidlMRU (and LastVisitedPidlMRULegacy): a UTF-16LE program
// name ending at a NUL character, immediately followed by the ID list of the folder the
// program's dialog last visited.
struct LastVisitedPidlEntry {
  std::u16string program;
  // Where the ID list starts in the value's data; the data's size when the program name
  // has no terminator (then there is no list).
  std::size_t idListOffset = 0;
};
LastVisitedPidlEntry SplitLastVisitedPidlEntry(const std::uint8_t* data, std::size_t size);

}  // namespace ovalin
