// Whole runs given what a careless or hostile user may give: odd names, a
// steering file that ends early, a pipe or a folder for the data file, closed
// or broken standard streams, a second run in the same folder, files that
// cannot take their names, runs that stop, end with a diagnostic or are
// killed, and pedigrees too wide for memory. No file the user gave changes,
// a run that does not end leaves the last run's report and renumbered file
// as they were, and a run that can be read ends as a run from an ordinary
// file does.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "support/program_run.h"
#include "support/sanitizers.h"

namespace fs = std::filesystem;
using files = std::map<std::string, std::string>;

namespace {

std::string steering(const std::string& data_name, const std::string& layout = "dd-mm-yyyy",
                     const std::string& columns = "y") {
  return "Hostile\r\n" + data_name + "\r\n;\r\nn\r\n" + layout + "\r\ndog\r\nM\r\nen\r\n" + columns +
         "\r\n0\r\n0\r\ny\r\n";
}

// The first n lines of a steering file with three subpopulation codes (lines
// 11 to 13) and two colour codes (lines 15 and 16), the last line kept
// without its line end when `last_line_end` is false.
std::string steering_cut_after(int n, bool last_line_end = true) {
  const char* lines[] = {"Short", "herd.csv", ";", "n", "dd-mm-yyyy", "dog", "M", "en", "y",
                         "3",     "North",    "South", "West", "2", "red", "blue", "y"};
  std::string text;
  for (int k = 0; k < n; ++k) text += std::string(lines[k]) + (k + 1 < n || last_line_end ? "\r\n" : "");
  return text;
}
std::string steering_ends(const char* what, int line) {
  return "Veldmarsh: end of file where " + std::string(what) + " was expected (steering file 'brindlemoor.ini', line " +
         std::to_string(line) + ")\n";
}

const std::string header = "id;sire;dam;sex;birthdate\r\n";
const std::string pedigree = header + "A;;;M;01-01-2020\r\nB;;;F;01-01-2020\r\nC;A;B;F;01-06-2022\r\n";
const files last_run = {{"herd.out", "the last run's report\r\n"}, {"herd.new", "the last run's pedigree\r\n"}};

files with(files a, const files& b) {
  a.insert(b.begin(), b.end());
  return a;
}
files run_of(const std::string& data, const std::string& steering_text = steering("herd.csv")) {
  return with(last_run, {{"brindlemoor.ini", steering_text}, {"herd.csv", data}});
}

// The data file as a named pipe, written once from herd.src while the
// program reads it. A writer still waiting when the program has ended (one
// that never opened the pipe) is ended with it. Windows has no named pipes
// in a folder: these runs are the native program's only.
const std::string through_pipe =
    "f() { cat herd.src > herd.csv & w=$!; \"$@\"; s=$?; kill $w 2>/dev/null; wait; rm -f herd.csv; return $s; }; f";
const char* const posix_pipe = "a named pipe in a folder is POSIX's";
void make_pipe(const fs::path& dir) { ASSERT_EQ(::mkfifo((dir / "herd.csv").c_str(), 0600), 0); }
files piped(const std::string& data, const std::string& steering_text) {
  return with(last_run, {{"brindlemoor.ini", steering_text}, {"herd.src", data}});
}

struct hostile_case {
  const char* name;
  files inputs;
  std::string exit_status;
  std::string standard_error;
  std::string shell;  // a shell function f that runs the program given to it
  std::function<void(const fs::path&)> prepare = nullptr;
  std::vector<std::string> as_from_regular_file = {};  // outputs equal to those of the same run from a file
  std::function<void(files&)> check = nullptr;
  const char* native_only = nullptr;  // why the case cannot run under Wine
  const char* needs = nullptr;        // a shell command that must succeed here for the case to run
  const char* windows_only = nullptr; // why the case runs only under Wine
};

void PrintTo(const hostile_case& c, std::ostream* os) { *os << c.name; }

const std::string banner = "           ******************************************\r\n"
                           "           *Hostile                                 *\r\n"
                           "           ******************************************\r\n"
                           "            \r\n";

const char* const beyond_memory = "the memory limit is set for the native program";

// A folder where files can be made but not renamed (append-only), for the
// file a link of the report's or the renumbered file's name leads to: that
// file cannot take its name at the end of the run.
const char* const append_only_folders = "mkdir probe && chattr +a probe && chattr -a probe && rmdir probe";
std::string with_append_only(const std::string& folder) {
  return "f() { chattr +a " + folder + "; \"$@\"; s=$?; chattr -a " + folder + "; return $s; }; f";
}
std::function<void(const fs::path&)> link_into_folder(const std::string& name, const std::string& target) {
  return [=](const fs::path& dir) {
    fs::create_directory(dir / "kept");
    fs::remove(dir / name);
    fs::create_symlink(target, dir / name);
  };
}

// A run that waits at the opening of its renumbered pedigree file (a named
// pipe), after its inbreeding coefficients: while it waits, the log and the
// console are copied (log_seen.txt, console_seen.txt) and a second run is
// started in the same folder (second_*.txt); then the pipe is read.
const std::string waiting_at_the_renumbered_file =
    "f() { \"$@\" > first_console.txt 2> first_stderr.txt & p=$!; n=0; "
    "until grep -q 'Inbreeding coefficient of all' Veldmarshlog.txt 2>/dev/null || [ $n -ge 300 ]; do "
    "sleep 0.1; n=$((n+1)); done; cp Veldmarshlog.txt log_seen.txt; cp first_console.txt console_seen.txt; "
    "\"$@\" > second_console.txt 2> second_stderr.txt; echo $? > second_status.txt; "
    "cmp -s Veldmarshlog.txt log_seen.txt || echo the second run changed the log >&2; "
    "cat herd.new > /dev/null; wait $p; s=$?; rm herd.new; cat first_console.txt; cat first_stderr.txt >&2; "
    "rm first_console.txt first_stderr.txt; return $s; }; f";
void make_renumbered_pipe(const fs::path& dir) {
  fs::remove(dir / "herd.new");
  ASSERT_EQ(::mkfifo((dir / "herd.new").c_str(), 0600), 0);
}
// The files the shell above leaves beside the run's own.
void drop_what_the_wait_left(files& out) {
  for (const char* name : {"log_seen.txt", "console_seen.txt", "second_console.txt", "second_stderr.txt",
                           "second_status.txt"})
    out.erase(name);
}
const std::string second_run_refused =
    "Veldmarsh: another run is working in this folder; this run leaves 'Veldmarshlog.txt', 'herd.out' and 'herd.new' "
    "as they were: start it again when that run has ended (log file 'Veldmarshlog.txt')\n";

// A first run that waits for Enter (its data file is missing) while
// `between` runs and a second run is started in the same folder (or as
// `second` says); then Enter is given to the first.
std::string while_the_first_waits_for_enter(const std::string& between, const std::string& second = "\"$@\"") {
  return "f() { mkfifo enter; \"$@\" < enter > first_console.txt & p=$!; exec 6> enter; n=0; "
         "until grep -q TERMINATED Veldmarshlog.txt 2>/dev/null || [ $n -ge 300 ]; do sleep 0.1; n=$((n+1)); done; " +
         between + "cp Veldmarshlog.txt log_seen.txt; " + second +
         "; s=$?; cmp -s Veldmarshlog.txt log_seen.txt || echo log changed; "
         "echo >&6; exec 6>&-; wait $p; echo $? > first_status.txt; rm enter log_seen.txt; return $s; }; f";
}
std::string second_run_refused_in(const std::string& base) {
  return "Veldmarsh: another run is working in this folder; this run leaves 'Veldmarshlog.txt', '" + base +
         ".out' and '" + base + ".new' as they were: start it again when that run has ended (log file "
         "'Veldmarshlog.txt')\n";
}
// The first run ends as if alone, and the second wrote nothing.
void first_run_undisturbed(files& out) {
  EXPECT_EQ(out["first_status.txt"], "1\n");
  EXPECT_NE(out["first_console.txt"].find("***PROGRAM TERMINATED***"), std::string::npos);
  EXPECT_EQ(out["console.txt"].find("log changed"), std::string::npos);
  EXPECT_EQ(out.count("other/Veldmarshlog.txt"), 0u);
  for (const char* name : {"first_status.txt", "first_console.txt", "console.txt", "Veldmarshlog.txt"}) out.erase(name);
}

// The file `name` held open by a viewer (the tool "{holder}") while the
// program runs: on Windows it then cannot be replaced.
std::string held_open_by_a_viewer(const std::string& name) {
  return "f() { mkfifo gate; {holder} " + name + " < gate > held.txt & h=$!; exec 7> gate; n=0; "
         "until grep -q held held.txt || [ $n -ge 300 ]; do sleep 0.1; n=$((n+1)); done; "
         "\"$@\"; s=$?; exec 7>&-; wait $h; rm gate held.txt; return $s; }; f";
}

// The command of the tool that holds a file open, built beside the program
// that runs: the Windows build under Wine.
std::string holder_command() {
  std::string command = veldmarsh::testing::program_command();
  const std::string program = "veldmarsh_fixed_clock.exe";
  const std::size_t at = command.find(program);
  return at == std::string::npos ? command : command.replace(at, program.size(), "hold_file_open.exe");
}

// A run killed at a step of giving the report and the renumbered file their
// names (the fixed-clock build then ends as a killed process does; `tool`
// may run it under another program), then a run that ends with a diagnostic
// before it writes anything (herd.bad becomes its data file): whatever the
// instant, the pair is of one and the same run.
std::string killed_at(const std::string& step, const std::string& tool = "") {
  return "f() { VELDMARSH_TEST_KILL_AT=" + step + " " + tool +
         "\"$@\"; echo $? > killed_status.txt; cp herd.bad herd.csv; \"$@\"; }; f";
}
const std::string bad_date = header + "A;;;M;xx-01-2020\r\n";
const std::string bad_date_diagnostic =
    "Veldmarsh: the birth-date part 'x-01' of 'xx-01-2020' is not a whole number (data file 'herd.csv', line 2)\n";
const char* const no_links = "strace -f -qq -o /dev/null -e trace=link,linkat -e inject=link,linkat:error=EPERM ";
files killed(const files& last) {
  return with(last, {{"brindlemoor.ini", steering("herd.csv")}, {"herd.csv", pedigree}, {"herd.bad", bad_date}});
}
// The killed run's file that had not taken its name stays under its
// temporary name until a run replaces it.
std::function<void(files&)> after_the_killed_run(std::vector<std::string> left = {}) {
  return [=](files& out) {
    EXPECT_EQ(out["killed_status.txt"], "137\n");
    for (const std::string& name : left) EXPECT_EQ(out.erase(name), 1u) << name;
    out.erase("killed_status.txt");
    out.erase("herd.csv");
  };
}

// The output `name` made a link to `target`.
std::function<void(const fs::path&)> link_named(const std::string& name, const std::string& target) {
  return [=](const fs::path& dir) {
    fs::remove(dir / name);
    fs::create_symlink(target, dir / name);
  };
}
void nothing_written(files& out) { EXPECT_EQ(out.count("Veldmarshlog.txt"), 0u); }

// 2000 animals: a renumbered file much larger than the report.
std::string large_pedigree() {
  std::string text = header;
  for (int k = 0; k < 2000; ++k) text += "A" + std::to_string(k) + ";;;M;01-01-2020\r\n";
  return text;
}

// One animal a year from 1800 to 2019: a report much larger than the
// renumbered file.
std::string long_pedigree() {
  std::string text = header;
  for (int year = 1800; year < 2020; ++year)
    text += "A" + std::to_string(year) + ";;;M;01-01-" + std::to_string(year) + "\r\n";
  return text;
}

// A file size limit set by the shell, the program started with the
// system's default action on the signal that goes with it, as a user's
// shell starts it.
std::string with_file_size_limit(int blocks) {
  return "f() { ulimit -f " + std::to_string(blocks) + "; env --default-signal=XFSZ \"$@\"; }; f";
}

// Run A in fa on ../fb/x.csv and run B in fb on ../fa/y.csv, each paused
// once it holds the first folder it claims: A first, then B, started while
// A waits. The run that claimed first goes on, the other ends at once.
// B's status is the shell's; A's and B's other channels go to a_* and b_*.
const std::string crossing_runs =
    "f() { (cd fa && VELDMARSH_TEST_PAUSE_AT=claimed \"$@\" > ../a_console.txt 2> ../a_stderr.txt; "
    "echo $? > ../a_status.txt) & a=$!; n=0; until [ -e fa/claimed.reached ] || [ $n -ge 600 ]; do sleep 0.1; "
    "n=$((n+1)); done; (cd fb && VELDMARSH_TEST_PAUSE_AT=claimed \"$@\" > ../b_console.txt 2> ../b_stderr.txt) & "
    "b=$!; n=0; until [ -e fb/claimed.reached ] || ! kill -0 $b 2>/dev/null || [ $n -ge 600 ]; do sleep 0.1; "
    "n=$((n+1)); done; rm -f fa/claimed.reached fb/claimed.reached; wait $b; s=$?; wait $a; return $s; }; f";
files crossing_folders() {
  auto steering_in = [](const std::string& data) {
    return "Crossing\r\n" + data + "\r\n;\r\nn\r\ndd-mm-yyyy\r\ndog\r\nM\r\nen\r\ny\r\n0\r\n0\r\ny\r\n";
  };
  return {{"fa/brindlemoor.ini", steering_in("../fb/x.csv")}, {"fb/x.csv", pedigree},
          {"fb/brindlemoor.ini", steering_in("../fa/y.csv")}, {"fa/y.csv", pedigree}};
}
// A went on as if alone; B, refused at its first claim, says which folder
// is claimed (the folders are claimed in the order of their identities,
// fa's or fb's first) and wrote nothing.
void first_claim_goes_on(files& out) {
  EXPECT_EQ(out["a_status.txt"], "0\n");
  EXPECT_EQ(out["a_stderr.txt"], "");
  EXPECT_EQ(out.count("fb/x.out") + out.count("fb/x.new") + out.count("fa/Veldmarshlog.txt"), 3u);
  const std::string leaves =
      "; this run leaves 'Veldmarshlog.txt', '../fa/y.out' and '../fa/y.new' as they were: start it again when that "
      "run has ended (";
  EXPECT_TRUE(out["b_stderr.txt"] == "Veldmarsh: another run is working in this folder" + leaves +
                                         "log file 'Veldmarshlog.txt')\n" ||
              out["b_stderr.txt"] == "Veldmarsh: another run is working in the folder of '../fa/y.out'" + leaves +
                                         "report file '../fa/y.out')\n")
      << out["b_stderr.txt"];
  EXPECT_EQ(out.count("fb/Veldmarshlog.txt") + out.count("fa/y.out") + out.count("fa/claimed.reached"), 0u);
  for (const char* name : {"a_status.txt", "a_stderr.txt", "a_console.txt", "b_stderr.txt", "b_console.txt",
                           "fb/x.out", "fb/x.new", "fa/Veldmarshlog.txt"})
    out.erase(name);
}

// A steering file with `n` subpopulation codes.
std::string steering_with_subpopulations(int n) {
  std::string text = "Hostile\r\nherd.csv\r\n;\r\nn\r\ndd-mm-yyyy\r\ndog\r\nM\r\nen\r\ny\r\n" + std::to_string(n) + "\r\n";
  for (int k = 1; k <= n; ++k) text += "S" + std::to_string(k) + "\r\n";
  return text + "0\r\ny\r\n";
}

// The output `name` a link to `file` through 40 links of the folder "."
// (dd/dd/.../): with the link itself, more links than the system follows in
// one name.
std::function<void(const fs::path&)> through_too_many_links(const std::string& name, const std::string& file) {
  return [=](const fs::path& dir) {
    fs::create_directory_symlink(".", dir / "dd");
    std::string chain;
    for (int k = 0; k < 40; ++k) chain += "dd/";
    fs::remove(dir / name);
    fs::create_symlink(chain + file, dir / name);
  };
}
std::string loop_refused(const std::string& label, const std::string& name) {
  return "Veldmarsh: the " + label + "'s name leads round a loop of links (" + label + " '" + name + "')\n";
}

// A data file named `data`, with `link` a link to "herd": the end of the
// link's name, so that the temporary, kept and marker names beside it are
// "herd.part", "herd.last.part" and "herd.pair.part".
files run_on(const std::string& data) { return {{"brindlemoor.ini", steering(data)}, {data, pedigree}}; }
std::function<void(const fs::path&)> linked_to_herd(const std::string& link) {
  return [=](const fs::path& dir) { fs::create_symlink("herd", dir / link); };
}
std::string report_refused(const std::string& by, const std::string& report) {
  return "Veldmarsh: the report file's " + by + " would replace the data file; rename the data file (report file '" +
         report + "')\n";
}

// The output `name` a named pipe when the run checks it, turned into a link
// to the data file before the run opens it.
std::function<void(const fs::path&)> pipe_named(const std::string& name) {
  return [=](const fs::path& dir) {
    fs::remove(dir / name);
    ASSERT_EQ(::mkfifo((dir / name).c_str(), 0600), 0);
  };
}
std::string turned_to_the_data_file(const std::string& name) {
  return "f() { VELDMARSH_TEST_PAUSE_AT=checked \"$@\" & p=$!; n=0; until [ -e checked.reached ] || [ $n -ge 600 ]; "
         "do sleep 0.1; n=$((n+1)); done; ln -s herd.csv turned; mv -T turned " + name +
         "; rm -f checked.reached; wait $p; }; f";
}
// The name, now a link to the data file, reads as the data file.
std::function<void(files&)> still_the_data_file(const std::string& name) {
  return [=](files& out) {
    EXPECT_EQ(out[name], pedigree);
    out.erase(name);
  };
}

const std::string last_log = "the last log\r\n";

const hostile_case cases[] = {
    {"nul_byte_in_data_file_name", run_of(pedigree, steering(std::string("herd.csv\0abc", 12))), "2\n",
     "Veldmarsh: the data file's name holds a NUL byte (steering file 'brindlemoor.ini', line 2)\n"},
    // A steering file that ends early: the diagnostic names the line where
    // the missing item belongs, however many lines come before it.
    {"steering_file_empty", run_of(pedigree, ""), "2\n", steering_ends("the column-number line", 9)},
    {"steering_file_of_one_line", run_of(pedigree, steering_cut_after(1)), "2\n",
     steering_ends("the column-number line", 9)},
    {"steering_file_of_eight_lines", run_of(pedigree, steering_cut_after(8, false)), "2\n",
     steering_ends("the column-number line", 9)},
    {"steering_file_ends_among_subpopulation_codes", run_of(pedigree, steering_cut_after(11)), "2\n",
     steering_ends("a subpopulation code", 12)},
    {"steering_file_ends_among_colour_codes", run_of(pedigree, steering_cut_after(15, false)), "2\n",
     steering_ends("a colour code", 16)},
    {"data_file_named_like_the_log",
     {{"brindlemoor.ini", steering("Veldmarshlog.txt")}, {"Veldmarshlog.txt", pedigree}}, "2\n",
     "Veldmarsh: the log file would replace the data file; rename the data file (log file 'Veldmarshlog.txt')\n"},
    {"log_linked_to_the_steering_file", run_of(pedigree), "2\n",
     "Veldmarsh: the log file would replace the steering file (log file 'Veldmarshlog.txt')\n", "",
     [](const fs::path& dir) { fs::create_symlink("brindlemoor.ini", dir / "Veldmarshlog.txt"); }},
    // A temporary file left by a killed run is made afresh, never written
    // through (here a link to the data file).
    {"leftover_temporary_name_linked_to_the_data_file", run_of(pedigree), "0\n", "", "",
     [](const fs::path& dir) { fs::create_symlink("herd.csv", dir / "herd.out.part"); },
     {"Veldmarshlog.txt", "console.txt", "herd.out", "herd.new"}, nullptr, "links are not seen under Wine"},
    {"log_linked_to_the_report", run_of(pedigree), "2\n",
     "Veldmarsh: the log file would replace the report file (log file 'Veldmarshlog.txt')\n", "",
     [](const fs::path& dir) { fs::create_symlink("herd.out", dir / "Veldmarshlog.txt"); }, {}, nullptr,
     "links are not seen under Wine"},
    {"log_linked_to_a_renumbered_file_not_there_yet", {{"brindlemoor.ini", steering("herd.csv")}, {"herd.csv", pedigree}},
     "2\n", "Veldmarsh: the log file would replace the renumbered pedigree file (log file 'Veldmarshlog.txt')\n", "",
     [](const fs::path& dir) { fs::create_symlink("herd.new", dir / "Veldmarshlog.txt"); }, {},
     [](files& out) { EXPECT_EQ(out.count("Veldmarshlog.txt"), 0u); }, "links are not seen under Wine"},
    // The report and the renumbered file take their names as a pair: when
    // the second cannot, the first gets back the last run's, and this run's
    // stay under their temporary names.
    {"renumbered_file_cannot_take_its_name", run_of(pedigree), "2\n",
     "Veldmarsh: cannot give the renumbered pedigree file its name; this run's files stay as 'herd.out.part' and "
     "'kept/pedigree.new.part', the last run's as they were (renumbered pedigree file 'kept/pedigree.new')\n",
     with_append_only("kept"), link_into_folder("herd.new", "kept/pedigree.new"),
     {"herd.out.part=herd.out", "kept/pedigree.new.part=herd.new", "Veldmarshlog.txt", "console.txt"},
     [](files& out) { EXPECT_EQ(out.count("herd.out.last.part"), 0u); }, "links are not seen under Wine",
     append_only_folders},
    {"report_cannot_take_its_name", {{"brindlemoor.ini", steering("herd.csv")}, {"herd.csv", pedigree}}, "2\n",
     "Veldmarsh: cannot give the report file its name; this run's files stay as 'kept/report.out.part' and "
     "'herd.new.part', the last run's as they were (report file 'kept/report.out')\n",
     with_append_only("kept"), link_into_folder("herd.out", "kept/report.out"),
     {"kept/report.out.part=herd.out", "herd.new.part=herd.new"},
     // Nor can the folder lose the pair's marker: the next run removes it.
     [](files& out) { out.erase("kept/report.out.pair.part"); }, "links are not seen under Wine", append_only_folders},
    {"renumbered_file_held_open_by_a_viewer", run_of(pedigree), "2\n",
     "Veldmarsh: cannot give the renumbered pedigree file its name; this run's files stay as 'herd.out.part' and "
     "'herd.new.part', the last run's as they were (renumbered pedigree file 'herd.new')\n",
     held_open_by_a_viewer("herd.new"), nullptr, {"herd.out.part=herd.out", "herd.new.part=herd.new"}, nullptr,
     nullptr, nullptr, "a file held open keeps its name only on Windows"},
    // The log is a new file that takes its name: a last log held open
    // cannot be replaced, and the run ends before it writes anything.
    {"log_held_open_by_a_viewer", with(run_of(pedigree), {{"Veldmarshlog.txt", last_log}}), "2\n",
     "Veldmarsh: cannot give the log file its name; the last log stays as it was (log file 'Veldmarshlog.txt')\n",
     held_open_by_a_viewer("Veldmarshlog.txt"), nullptr, {}, nullptr, nullptr, nullptr,
     "a file held open keeps its name only on Windows"},
    // A run shows how far it got while it works: the log holds the time
    // stamps of the phases it has ended, the console its lines so far.
    {"progress_shown_while_the_run_waits", run_of(pedigree), "0\n", "", waiting_at_the_renumbered_file,
     make_renumbered_pipe, {"Veldmarshlog.txt", "console.txt", "herd.out"},
     [](files& out) {
       EXPECT_NE(out["log_seen.txt"].find(" Data file read at 05/12/2026 on 10.17 and 58.123 seconds \r\n"),
                 std::string::npos);
       EXPECT_NE(out["log_seen.txt"].find(" Inbreeding coefficient of all animals computed at"), std::string::npos);
       EXPECT_NE(out["console_seen.txt"].find(" pedigree sorted and renumbered\r\n"), std::string::npos);
       EXPECT_EQ(out["console_seen.txt"].find("kinship"), std::string::npos);
       drop_what_the_wait_left(out);
     },
     posix_pipe},
    // One run at a time in a folder: a second run ends at once and changes
    // nothing; the first finishes as if alone.
    {"second_run_while_the_first_works", run_of(pedigree), "0\n", "", waiting_at_the_renumbered_file,
     make_renumbered_pipe, {"Veldmarshlog.txt", "console.txt", "herd.out"},
     [](files& out) {
       EXPECT_EQ(out["second_status.txt"], "2\n");
       EXPECT_EQ(out["second_stderr.txt"], second_run_refused);
       drop_what_the_wait_left(out);
     },
     posix_pipe},
    {"second_run_while_the_first_waits_for_enter", {{"brindlemoor.ini", steering("absent.csv")}}, "2\n",
     second_run_refused_in("absent"), while_the_first_waits_for_enter(""), nullptr, {}, first_run_undisturbed},
    // ... however the steering file was saved in between (an editor that
    // saves by renaming a new file), and from whatever folder it starts.
    {"second_run_after_the_steering_file_was_saved_by_rename", {{"brindlemoor.ini", steering("absent.csv")}}, "2\n",
     second_run_refused_in("absent"), while_the_first_waits_for_enter("cp brindlemoor.ini saved && mv saved brindlemoor.ini; "),
     nullptr, {}, first_run_undisturbed},
    {"second_run_from_another_folder",
     {{"brindlemoor.ini", steering("absent.csv")}, {"other/brindlemoor.ini", steering("../absent.csv")}}, "2\n",
     "Veldmarsh: another run is working in the folder of '../absent.out'; this run leaves 'Veldmarshlog.txt', "
     "'../absent.out' and '../absent.new' as they were: start it again when that run has ended (report file "
     "'../absent.out')\n",
     while_the_first_waits_for_enter("", "(cd other && \"$@\")"), nullptr, {}, first_run_undisturbed},
    // ... and from the folder a link of the report's name leads to: the
    // claims are on the folders a run really writes in.
    {"second_run_in_the_folder_the_report_is_written_in",
     {{"brindlemoor.ini", steering("absent.csv")}, {"b/brindlemoor.ini", steering("absent.csv")}}, "2\n",
     "Veldmarsh: another run is working in this folder; this run leaves 'Veldmarshlog.txt', 'absent.out' and "
     "'absent.new' as they were: start it again when that run has ended (log file 'Veldmarshlog.txt')\n",
     while_the_first_waits_for_enter("", "(cd b && \"$@\")"), link_into_folder("absent.out", "b/absent.out"), {},
     [](files& out) {
       EXPECT_EQ(out.count("b/Veldmarshlog.txt"), 0u);
       first_run_undisturbed(out);
     },
     "links are not seen under Wine"},
    // Two runs whose folders cross take their claims in one order.
    {"runs_whose_folders_cross", crossing_folders(), "2\n", "", crossing_runs, nullptr, {}, first_claim_goes_on},
    {"pipe_with_header_line", piped(pedigree, steering("herd.csv")), "0\n", "", through_pipe, make_pipe,
     {"Veldmarshlog.txt", "console.txt", "herd.out", "herd.new"}, nullptr, posix_pipe},
    {"pipe_with_column_kinds", piped(pedigree.substr(header.size()), steering("herd.csv", "dd-mm-yyyy", "5 1 2 3 7 8")),
     "0\n", "", through_pipe, make_pipe, {"Veldmarshlog.txt", "console.txt", "herd.out", "herd.new"}, nullptr,
     posix_pipe},
    {"standard_output_closed", run_of(pedigree), "0\n", "", "f() { \"$@\" >&-; }; f", nullptr,
     {"Veldmarshlog.txt", "herd.out", "herd.new"}, [](files& out) { EXPECT_EQ(out["console.txt"], ""); }},
    // A report file name that is a link keeps leading to the report (Wine
    // shows no link to the program).
    {"report_name_is_a_link", {{"brindlemoor.ini", steering("herd.csv")}, {"herd.csv", pedigree}}, "0\n", "",
     "f() { \"$@\"; s=$?; test -L herd.out || echo herd.out is no link >&2; return $s; }; f",
     [](const fs::path& dir) {
       fs::create_directory(dir / "kept");
       std::ofstream(dir / "kept" / "report.txt") << "the last run's report\r\n";
       fs::create_symlink("kept/report.txt", dir / "herd.out");
     },
     {"herd.out"}, nullptr, "links are not seen under Wine"},
    // ... also when the file it names is not there yet.
    {"report_name_is_a_dangling_link", {{"brindlemoor.ini", steering("herd.csv")}, {"herd.csv", pedigree}}, "0\n", "",
     "f() { \"$@\"; s=$?; test -L herd.out || echo herd.out is no link >&2; return $s; }; f",
     [](const fs::path& dir) { fs::create_symlink("later.out", dir / "herd.out"); }, {"herd.out"}, nullptr,
     "links are not seen under Wine"},
    // A console that can no longer be written costs the run nothing else:
    // its files take their names, and the run ends with the diagnostic.
    {"standard_output_full", run_of(pedigree), "2\n", "Veldmarsh: write failed (console 'standard output')\n",
     "f() { \"$@\" > /dev/full; }; f", nullptr, {"Veldmarshlog.txt", "herd.out", "herd.new"}},
    {"standard_output_reader_gone", run_of(pedigree), "2\n", "Veldmarsh: write failed (console 'standard output')\n",
     "f() { mkfifo gone; exec 4<> gone; exec 5> gone; exec 4<&-; \"$@\" >&5; s=$?; exec 5>&-; rm gone; return $s; }; f",
     nullptr, {"Veldmarshlog.txt", "herd.out", "herd.new"}},
    {"folder_as_data_file", run_of(""), "1\n", "", "",
     [](const fs::path& dir) {
       fs::remove(dir / "herd.csv");
       fs::create_directory(dir / "herd.csv");
     },
     {},
     [](files& out) {
       EXPECT_NE(out["console.txt"].find(" ERROR cannot find the data file\r\n herd.csv "), std::string::npos);
       EXPECT_NE(out["Veldmarshlog.txt"].find(" Veldmarsh stopped at.10.17 and 58.123 seconds \r\n"),
                 std::string::npos);
     }},
    {"date_part_a_lone_sign", run_of(header + "A;;;M;01-01-2000\r\nB;;;F;21---1990\r\n"), "2\n",
     "Veldmarsh: the birth-date part '-' of '21---1990' is not a whole number (data file 'herd.csv', line 3)\n"},
    {"date_part_with_a_blank_between_digits", run_of(header + "A;;;M;05-1 1-1990\r\n"), "2\n",
     "Veldmarsh: the birth-date part '1 1' of '05-1 1-1990' is not a whole number (data file 'herd.csv', line 2)\n"},
    {"birth_year_typo_stretching_the_years",
     run_of(header + "A;;;M;2001-01-01\r\nB;;;F;20030303\r\nC;A;B;F;2002-02-02\r\n",
            steering("herd.csv", "yyyy-mm-dd")),
     "2\n",
     "Veldmarsh: cannot allocate the per-year tables of the birth years 2001 to 20030303: the birth year 20030303 of "
     "animal 'B' stretches them (data file 'herd.csv', line 3)\n"},
    {"pedigree_loop_replaces_the_report", run_of(header + "A;B;;M;01-01-2020\r\nB;A;;M;01-01-2020\r\n"), "1\n", "", "",
     nullptr, {},
     [](files& out) {
       EXPECT_EQ(out["herd.out"].substr(0, banner.size()), banner);
       EXPECT_NE(out["herd.out"].find(" program stopped\r\n"), std::string::npos);
       EXPECT_EQ(out.count("herd.new"), 0u);
     }},
    {"missing_column_replaces_the_report", run_of("id;sire;dam;birthdate\r\nA;;;01-01-2020\r\n"), "1\n", "", "",
     nullptr, {}, [](files& out) { EXPECT_EQ(out["herd.out"], banner); }},
    // Killed while it waits for the rest of the data file.
    {"killed_run", piped(pedigree, steering("herd.csv")), "137\n", "",
     "f() { (cat herd.src; exec sleep 9) > herd.csv & w=$!; \"$@\" & p=$!; sleep 0.5; kill -9 $p $w; "
     "wait $p 2>/dev/null; s=$?; rm herd.csv; return $s; }; f",
     make_pipe, {}, [](files& out) { out.erase("herd.out.part"); }, posix_pipe},
    {"killed_when_the_pair_was_marked", killed(last_run), "2\n", bad_date_diagnostic, killed_at("marked"), nullptr, {},
     after_the_killed_run({"herd.new.part"})},
    {"killed_when_the_last_pair_was_kept", killed(last_run), "2\n", bad_date_diagnostic, killed_at("kept"), nullptr, {},
     after_the_killed_run({"herd.new.part"})},
    {"killed_between_the_names", killed(last_run), "2\n", bad_date_diagnostic, killed_at("between-names"), nullptr, {},
     after_the_killed_run({"herd.new.part"})},
    {"killed_between_the_names_where_there_are_no_links", killed(last_run), "2\n", bad_date_diagnostic,
     killed_at("between-names", no_links), nullptr, {}, after_the_killed_run({"herd.new.part"}),
     "Windows moves the files anyway", "strace -qq -o /dev/null true"},
    {"first_run_killed_between_the_names", killed({}), "2\n", bad_date_diagnostic, killed_at("between-names"), nullptr,
     {}, [](files& out) {
       after_the_killed_run({"herd.new.part"})(out);
       EXPECT_EQ(out.count("herd.out") + out.count("herd.new"), 0u);
     }},
    // Killed once both had their names: the kept files and the marker left
    // do not turn the pair back.
    {"killed_after_the_names", killed(last_run), "2\n", bad_date_diagnostic, killed_at("named"), nullptr,
     {"herd.out", "herd.new"}, after_the_killed_run()},
    // No output is written, renamed or removed through a name that reaches
    // another output.
    {"report_linked_to_the_renumbered_files_temporary_name", run_of(pedigree), "2\n",
     "Veldmarsh: the report file would replace the renumbered pedigree file's temporary file 'herd.new.part' "
     "(report file 'herd.out')\n",
     "", link_named("herd.out", "herd.new.part"), {}, nothing_written, "links are not seen under Wine"},
    {"renumbered_file_linked_to_the_reports_kept_name", run_of(pedigree), "2\n",
     "Veldmarsh: the renumbered pedigree file would replace the report file's kept file 'herd.out.last.part' "
     "(renumbered pedigree file 'herd.new')\n",
     "", link_named("herd.new", "herd.out.last.part"), {}, nothing_written, "links are not seen under Wine"},
    {"report_linked_to_the_renumbered_file",
     {{"brindlemoor.ini", steering("herd.csv")}, {"herd.csv", pedigree}, {"herd.new", last_run.at("herd.new")}}, "2\n",
     "Veldmarsh: the report file would replace the renumbered pedigree file (report file 'herd.out')\n", "",
     link_named("herd.out", "herd.new"), {}, nothing_written, "links are not seen under Wine"},
    {"log_linked_through_a_chain_to_a_renumbered_file_not_there_yet",
     {{"brindlemoor.ini", steering("herd.csv")}, {"herd.csv", pedigree}}, "2\n",
     "Veldmarsh: the log file would replace the renumbered pedigree file (log file 'Veldmarshlog.txt')\n", "",
     [](const fs::path& dir) {
       fs::create_symlink("L1", dir / "Veldmarshlog.txt");
       fs::create_symlink("herd.new", dir / "L1");
     },
     {}, nothing_written, "links are not seen under Wine"},
    {"report_name_a_loop_of_links", run_of(pedigree), "2\n",
     "Veldmarsh: the report file's name leads round a loop of links (report file 'herd.out')\n", "",
     [](const fs::path& dir) {
       fs::remove(dir / "herd.out");
       fs::create_symlink("L1", dir / "herd.out");
       fs::create_symlink("L2", dir / "L1");
       fs::create_symlink("L1", dir / "L2");
     },
     {}, nothing_written, "links are not seen under Wine"},
    {"report_linked_to_a_log_not_there_yet", run_of(pedigree), "2\n",
     "Veldmarsh: the report file would replace the log file (report file 'herd.out')\n", "",
     link_named("herd.out", "Veldmarshlog.txt"), {}, nothing_written, "links are not seen under Wine"},
    // What the run writes, renames and removes is checked, not another
    // name for it: a name whose end the system cannot reach is refused
    // before anything is written, whatever end its links seem to have one
    // by one ...
    {"report_through_more_links_than_the_system_follows_to_the_data_file", run_of(pedigree), "2\n",
     loop_refused("report file", "herd.out"), "", through_too_many_links("herd.out", "herd.csv"), {}, nothing_written,
     "links are not seen under Wine"},
    {"report_through_more_links_than_the_system_follows_to_the_steering_file", run_of(pedigree), "2\n",
     loop_refused("report file", "herd.out"), "", through_too_many_links("herd.out", "brindlemoor.ini"), {},
     nothing_written, "links are not seen under Wine"},
    {"renumbered_file_through_more_links_than_the_system_follows_to_the_data_file", run_of(pedigree), "2\n",
     loop_refused("renumbered pedigree file", "herd.new"), "", through_too_many_links("herd.new", "herd.csv"), {},
     nothing_written, "links are not seen under Wine"},
    {"renumbered_file_through_more_links_than_the_system_follows_to_the_steering_file", run_of(pedigree), "2\n",
     loop_refused("renumbered pedigree file", "herd.new"), "", through_too_many_links("herd.new", "brindlemoor.ini"), {},
     nothing_written, "links are not seen under Wine"},
    {"report_through_a_loop_of_folders", with(run_of(pedigree), {{"Veldmarshlog.txt", last_log}}), "2\n",
     loop_refused("report file", "herd.out"), "",
     [](const fs::path& dir) {
       fs::remove(dir / "herd.out");
       fs::create_symlink("d1/herd.out", dir / "herd.out");
       fs::create_directory_symlink("d2", dir / "d1");
       fs::create_directory_symlink("d1", dir / "d2");
     },
     {}, nothing_written, "links are not seen under Wine"},
    // ... and the names beside the end of a link are checked: a data file
    // that stands under one of them is never removed or written.
    {"renumbered_files_temporary_name_at_the_end_of_a_link_is_the_data_file", run_on("herd.part"), "2\n",
     "Veldmarsh: the renumbered pedigree file's temporary file 'herd.part' would replace the data file; it was not "
     "written (renumbered pedigree file 'herd.pnew')\n",
     "", linked_to_herd("herd.pnew"), {},
     [](files& out) {
       EXPECT_NE(out["Veldmarshlog.txt"].find(" ERROR cannot open the new pedfile\r\n"), std::string::npos);
       EXPECT_EQ(out["herd.pout"].substr(0, banner.size()), banner);
     },
     "links are not seen under Wine"},
    {"reports_temporary_name_at_the_end_of_a_link_is_the_data_file", run_on("herd.part"), "2\n",
     report_refused("temporary file 'herd.part'", "herd.pout"), "", linked_to_herd("herd.pout"), {}, nullptr,
     "links are not seen under Wine"},
    {"reports_kept_name_at_the_end_of_a_link_is_the_data_file", run_on("herd.last.part"), "2\n",
     report_refused("kept file 'herd.last.part'", "herd.last.pout"), "", linked_to_herd("herd.last.pout"), {}, nullptr,
     "links are not seen under Wine"},
    {"pair_marker_at_the_end_of_a_link_is_the_data_file", run_on("herd.pair.part"), "2\n",
     report_refused("pair marker 'herd.pair.part'", "herd.pair.pout"), "", linked_to_herd("herd.pair.pout"), {},
     nullptr, "links are not seen under Wine"},
    // A pipe checked, then turned into a link to the data file before it is
    // opened: the file opened is checked, and nothing written to it.
    {"report_turned_to_the_data_file_before_it_is_opened", run_on("herd.csv"), "2\n",
     "Veldmarsh: the report file would replace the data file; rename the data file (report file 'herd.out')\n",
     turned_to_the_data_file("herd.out"), pipe_named("herd.out"), {}, still_the_data_file("herd.out"), posix_pipe},
    {"log_turned_to_the_data_file_before_it_is_opened", run_on("herd.csv"), "2\n",
     "Veldmarsh: the log file would replace the data file; rename the data file (log file 'Veldmarshlog.txt')\n",
     turned_to_the_data_file("Veldmarshlog.txt"), pipe_named("Veldmarshlog.txt"), {},
     still_the_data_file("Veldmarshlog.txt"), posix_pipe},
    // The log is a new file that takes its name: another name of the last
    // log (a snapshot of the folder made with hard links) keeps it.
    {"last_log_kept_by_another_name", with(run_of(pedigree), {{"Veldmarshlog.txt", last_log}}), "0\n", "", "",
     [](const fs::path& dir) {
       fs::create_directory(dir / "snapshot");
       fs::create_hard_link(dir / "Veldmarshlog.txt", dir / "snapshot" / "Veldmarshlog.txt");
     },
     {"Veldmarshlog.txt", "console.txt", "herd.out", "herd.new"},
     [](files& out) {
       EXPECT_EQ(out["snapshot/Veldmarshlog.txt"], last_log);
       out.erase("snapshot/Veldmarshlog.txt");
     }},
    // Its first lines are there as soon as it is opened: a run killed while
    // it reads the data file leaves the start and the settings in its log.
    {"killed_while_it_reads", with(piped(pedigree, steering("herd.csv")), {{"Veldmarshlog.txt", last_log}}), "137\n",
     "",
     "f() { (cat herd.src; exec sleep 9) > herd.csv & w=$!; \"$@\" & p=$!; sleep 0.5; kill -9 $p $w; "
     "wait $p 2>/dev/null; s=$?; rm herd.csv; return $s; }; f",
     make_pipe, {},
     [](files& out) {
       const std::string& log = out["Veldmarshlog.txt"];
       EXPECT_NE(log.find(" Veldmarsh started at 05/12/2026 on 10.17 and 58.123 seconds \r\n"), std::string::npos);
       EXPECT_NE(log.find(" Output file with renumbered pedigree file"), std::string::npos);
       out.erase("Veldmarshlog.txt");
       out.erase("herd.out.part");
     },
     posix_pipe},
    // Links planted under the working names are no run's: the next run
    // removes them and moves none of the user's files for them.
    {"links_planted_under_the_working_names", run_of(pedigree), "0\n", "", "",
     [](const fs::path& dir) {
       std::ofstream(dir / "herd.out.pair.part").flush();
       fs::create_symlink("herd.csv", dir / "herd.out.last.part");
       fs::create_symlink("herd.csv", dir / "herd.new.part");
     },
     {"Veldmarshlog.txt", "console.txt", "herd.out", "herd.new"}, nullptr, "links are not seen under Wine"},
    // A renumbered file asked for but not written: the report takes its
    // name, and the run ends with a diagnostic.
    {"renumbered_files_temporary_name_held_by_a_folder", run_of(pedigree), "2\n",
     "Veldmarsh: cannot open for writing 'herd.new.part'; the last run's renumbered pedigree file stays as it was "
     "(renumbered pedigree file 'herd.new')\n",
     "", [](const fs::path& dir) { fs::create_directories(dir / "herd.new.part" / "x"); }, {"herd.out"},
     [](files& out) { EXPECT_NE(out["Veldmarshlog.txt"].find(" ERROR cannot open the new pedfile\r\n"), std::string::npos); }},
    {"first_renumbered_file_cannot_be_opened", {{"brindlemoor.ini", steering("herd.csv")}, {"herd.csv", pedigree}},
     "2\n",
     "Veldmarsh: cannot open for writing 'herd.new.part'; there is no renumbered pedigree file under that name "
     "(renumbered pedigree file 'herd.new')\n",
     "", [](const fs::path& dir) { fs::create_directories(dir / "herd.new.part" / "x"); }, {"herd.out"},
     [](files& out) { EXPECT_EQ(out.count("herd.new"), 0u); }},
    {"renumbered_file_cannot_be_written", run_of(large_pedigree()), "2\n",
     "Veldmarsh: write failed; the last run's renumbered pedigree file stays as it was (renumbered pedigree file "
     "'herd.new')\n",
     with_file_size_limit(200), nullptr, {"herd.out"}, nullptr, "a file size limit is POSIX's"},
    {"report_beyond_the_file_size_limit", run_of(long_pedigree()), "2\n",
     "Veldmarsh: write failed (report file 'herd.out')\n", with_file_size_limit(150), nullptr, {}, nullptr,
     "a file size limit is POSIX's"},
    // A console that cannot be written before a stop: the stop's files,
    // then the write-failure diagnostic.
    {"standard_output_full_when_the_data_file_is_missing", {{"brindlemoor.ini", steering("absent.csv")}}, "2\n",
     "Veldmarsh: write failed (console 'standard output')\n", "f() { \"$@\" > /dev/full; }; f", nullptr, {},
     [](files& out) { EXPECT_NE(out["Veldmarshlog.txt"].find("***PROGRAM TERMINATED***"), std::string::npos); }},
    {"steering_file_a_named_pipe", with(last_run, {{"steering.src", steering("herd.csv")}, {"herd.csv", pedigree}}),
     "0\n", "", "f() { cat steering.src > brindlemoor.ini & \"$@\"; s=$?; wait; return $s; }; f",
     [](const fs::path& dir) { ASSERT_EQ(::mkfifo((dir / "brindlemoor.ini").c_str(), 0600), 0); },
     {"Veldmarshlog.txt", "console.txt", "herd.out", "herd.new"}, nullptr, posix_pipe},
    {"animal_table_beyond_memory",
     with(last_run, {{"brindlemoor.ini", steering("herd.csv", "dd-mm-yyyy", "5 1 2 3 7 8")}}), "2\n",
     "Veldmarsh: cannot allocate the animal table (data file 'herd.csv')\n",
     "f() { ulimit -v 300000; \"$@\"; }; f",
     [](const fs::path& dir) { std::ofstream(dir / "herd.csv") << std::string(12000000, '\n'); }, {},
     [](files& out) { out.erase("herd.csv"); }, beyond_memory},
    {"subpopulations_beyond_memory", run_of(pedigree, steering_with_subpopulations(60000)), "2\n",
     "Veldmarsh: cannot allocate the per-year tables of the birth years 2020 to 2022: 60000 subpopulations take "
     "1800150000 columns a year (steering file 'brindlemoor.ini', line 10)\n"},
    {"year_tables_beyond_memory", run_of(header + "A;;;M;01-01-1\r\nB;;;F;01-01-1000000\r\n"), "2\n",
     "Veldmarsh: cannot allocate the per-year tables of the birth years 1 to 1000000: the birth year 1000000 of animal "
     "'B' stretches them (data file 'herd.csv', line 3)\n",
     "f() { ulimit -v 300000; \"$@\"; }; f", nullptr, {}, nullptr, beyond_memory},
};

// Whether `command` succeeds in a scratch folder of the build tree.
bool shell_succeeds_in_scratch(const std::string& tag, const std::string& command) {
  const fs::path dir = veldmarsh::testing::make_scratch_folder(tag + "_probe");
  const bool ok = std::system(("cd '" + dir.string() + "' && { " + command + "; } >/dev/null 2>&1").c_str()) == 0;
  veldmarsh::testing::remove_scratch_folder(dir);
  return ok;
}

class HostileRun : public ::testing::TestWithParam<hostile_case> {};

TEST_P(HostileRun, LeavesTheUsersFilesAndEndsAsItShould) {
  const hostile_case& c = GetParam();
  const bool wine = veldmarsh::testing::program_command().find(".exe") != std::string::npos;
  if (c.native_only && (wine || (veldmarsh::testing::address_sanitizer && c.native_only == beyond_memory)))
    GTEST_SKIP() << c.native_only;
  if (c.windows_only && !wine) GTEST_SKIP() << c.windows_only;
  if (c.needs && !shell_succeeds_in_scratch(c.name, c.needs)) GTEST_SKIP() << "this system cannot: " << c.needs;
  std::string shell = c.shell;
  if (const std::size_t at = shell.find("{holder}"); at != std::string::npos) shell.replace(at, 8, holder_command());
  files out = veldmarsh::testing::run_program(c.name, {{}, c.inputs, {}, c.prepare, shell});
  EXPECT_EQ(out["exit_status.txt"], c.exit_status);
  EXPECT_EQ(out["stderr.txt"], c.standard_error);
  if (c.check) c.check(out);
  // Files that must equal those of the same run from an ordinary file, each
  // "name" or "name=the ordinary run's file".
  std::set<std::string> as_from_file;
  if (!c.as_from_regular_file.empty()) {
    files inputs = c.inputs;
    for (const auto& [source, name] : {std::pair{"herd.src", "herd.csv"}, std::pair{"steering.src", "brindlemoor.ini"}})
      if (inputs.count(source)) {
        inputs[name] = inputs[source];
        inputs.erase(source);
      }
    files from_file = veldmarsh::testing::run_program(std::string(c.name) + "_from_file", {{}, inputs, {}});
    for (const std::string& entry : c.as_from_regular_file) {
      const std::size_t equals = entry.find('=');
      const std::string name = entry.substr(0, equals);
      EXPECT_EQ(out[name], from_file[equals == std::string::npos ? name : entry.substr(equals + 1)]) << name;
      as_from_file.insert(name);
    }
  }
  // Nothing else the user gave changed, and a run that did not end normally
  // or by one of its stops left the last run's report and renumbered file.
  for (const auto& [name, bytes] : out) {
    if (as_from_file.count(name)) continue;
    EXPECT_TRUE(c.inputs.count(name) == 0 || (name == "herd.out" && c.exit_status == "1\n")) << name << " changed";
    EXPECT_EQ(name.find(".part"), std::string::npos) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileRun, ::testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
