// Where a name of a file leads: link by link, to the file that writing to
// it writes, which need not be there yet. The checks that keep a run's
// outputs apart, and the claims on the folders it writes in, hold the files
// at the end of these chains, not the names the run was given.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace veldmarsh {

// Where the name `name` is: its folder as the system finds it (links among
// the folders followed), then its own last part (a link of that name is not
// followed).
std::filesystem::path place_of(const std::string& name);

// The end of the links of one name.
struct link_end {
  // The name writing reaches, as the links give it ("../b/big.out"); the
  // name itself when it is no link.
  std::string file;
  // The place of the name and of each name its links lead to, the end last.
  std::vector<std::filesystem::path> places;
  // The links lead round in a loop, or through more links than the system
  // follows (counting those of the folders on the way): the system reaches
  // no file by the name, whatever end the links seem to have.
  bool loop = false;
};

// Follows the links of `name` to their end, also when the last one leads to
// a file that is not there yet.
link_end follow_links(const std::string& name);

}  // namespace veldmarsh
