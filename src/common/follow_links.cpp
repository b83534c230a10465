// Following the links of a name to the file at their end.
#include "common/follow_links.h"

#include <system_error>

namespace veldmarsh {

namespace fs = std::filesystem;

namespace {
// A system gives up on a name after this many links (Linux, and the
// other systems the program runs on, after 40 or fewer).
constexpr int most_links = 40;
}  // namespace

fs::path place_of(const std::string& name) {
  const fs::path p(name);
  std::error_code error;
  const fs::path folder = fs::weakly_canonical(p.parent_path().empty() ? fs::path(".") : p.parent_path(), error);
  return error ? p.lexically_normal() : folder / p.filename();
}

namespace {
// True when the system gives up on a name: too many links on its way.
bool too_many_links(const std::error_code& error) { return error == std::errc::too_many_symbolic_link_levels; }
}  // namespace

link_end follow_links(const std::string& name) {
  link_end end;
  fs::path p(name);
  for (int links = 0;; ++links) {
    end.places.push_back(place_of(p.string()));
    std::error_code error;
    const fs::file_status own = fs::symlink_status(p, error);
    if (too_many_links(error)) {
      end.loop = true;
      break;
    }
    if (!fs::is_symlink(own)) break;
    const fs::path to = fs::read_symlink(p, error);
    if (error) break;
    if (links == most_links) {
      end.loop = true;
      break;
    }
    // A link's text is read from the folder the link is in; the folders on
    // the way are left to the system, which follows their links too.
    p = to.is_absolute() ? to : p.parent_path() / to;
  }
  end.file = p.string();
  // The system's own way through the name, all its links at once: a loop of
  // folders, or a chain longer than the system follows, reaches no file,
  // whatever end the links seem to have one by one.
  std::error_code error;
  (void)fs::status(name, error);
  if (too_many_links(error)) end.loop = true;
  return end;
}

}  // namespace veldmarsh
