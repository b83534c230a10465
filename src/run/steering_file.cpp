// Reading the steering file. Each setting takes one line; a text item takes
// the line's first characters, blank-padded. A count or switch whose line is
// missing or unreadable is left unset; the column-number line and the code
// lines must be there.
#include "run/steering_file.h"

#include <string>

#include "common/free_format.h"
#include "common/line_input.h"
#include "common/stops.h"

namespace veldmarsh {

namespace {

// Reads the next line; false at the end of the file.
bool next_line(run_context& ctx, input_file& in, std::string& line) {
  if (read_input_line(in, line)) return true;
  if (in.failed) fail_diagnostic(ctx, "read failed", in.label, in.file_name, in.line_number + 1);
  return false;
}

// A line that must be there. Only the code lines are read this way, and a
// code is looked for only after its count line was read, so every line before
// it was there: the line after the last one read is the code's own line.
std::string required_line(run_context& ctx, input_file& in, const char* what) {
  std::string line;
  if (!next_line(ctx, in, line))
    fail_diagnostic(ctx, std::string("end of file where ") + what + " was expected", in.label, in.file_name,
                    in.line_number + 1);
  return line;
}

// A count line: a missing or unreadable line gives 0.
std::int64_t count_line(run_context& ctx, input_file& in) {
  std::string line;
  if (!next_line(ctx, in, line)) return 0;
  return read_integer_item(line).value_or(0);
}

bool is_item_end(char c) { return c == ' ' || c == ',' || c == '\t'; }

void missing_steering_file_stop(run_context& ctx) {
  const char* underline = "__________________________________________________";
  std::vector<std::vector<free_item>> log_lines = {
      {"ERROR cannot find steer file brindlemoor.ini"},
      {"this file is essential for the running of the program"},
      {"           ***PROGRAM TERMINATED***"},
      {"End of program."},
      {underline},
      {"ERROR kan de sturingsfile brindlemoor.ini niet vinden"},
      {"deze file is noodzakelijk om het programma te kunnen draaien"},
      {"           ***PROGRAMMA BEEINDIGD***"},
      {"Einde programma."}};
  std::vector<std::vector<free_item>> console_lines = log_lines;
  console_lines[3] = {"End of program. Press RETURN to exit."};
  console_lines[8] = {"Einde programma. Druk op Enter om uit het programma te gaan."};
  fatal_stop(ctx, log_lines, console_lines);
}

}  // namespace

std::optional<std::int64_t> read_integer_item(std::string_view line) {
  std::size_t p = 0;
  while (p < line.size() && line[p] == ' ') ++p;
  bool negative = false;
  if (p < line.size() && (line[p] == '+' || line[p] == '-')) {
    negative = line[p] == '-';
    ++p;
  }
  std::int64_t value = 0;
  std::size_t digits = 0;
  while (p < line.size() && line[p] >= '0' && line[p] <= '9') {
    value = value * 10 + (line[p] - '0');
    if (value > 2147483648LL) return std::nullopt;
    ++p;
    ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (p < line.size() && !is_item_end(line[p])) return std::nullopt;
  value = negative ? -value : value;
  if (value > 2147483647LL) return std::nullopt;
  return value;
}

std::optional<std::vector<std::int64_t>> read_integer_list(std::string_view line, std::size_t max_items) {
  std::vector<std::int64_t> values;
  std::size_t p = 0;
  while (values.size() < max_items) {
    while (p < line.size() && (line[p] == ' ' || line[p] == '\t')) ++p;
    if (p >= line.size()) break;
    std::size_t end = p;
    while (end < line.size() && !is_item_end(line[end])) ++end;
    std::optional<std::int64_t> v = read_integer_item(line.substr(p, end - p));
    if (!v) return std::nullopt;
    values.push_back(*v);
    p = end;
    while (p < line.size() && (line[p] == ' ' || line[p] == '\t')) ++p;
    if (p < line.size() && line[p] == ',') ++p;
  }
  return values;
}

std::array<bool, 3> date_format_flags_of(std::string_view pattern) {
  pattern = trim_right(pattern);
  auto first = [&](auto pred) -> std::size_t {
    for (std::size_t i = 0; i < pattern.size(); ++i)
      if (pred(pattern[i])) return i + 1;
    return 0;
  };
  std::size_t pos_year = first([](char c) { return c == 'j' || c == 'y'; });
  std::size_t pos_month = first([](char c) { return c == 'm'; });
  std::size_t pos_day = first([](char c) { return c == 'd'; });
  bool separators = first([](char c) { return c != 'd' && c != 'm' && c != 'y' && c != 'j'; }) != 0;
  return {separators, pos_year < pos_month, pos_day < pos_month};
}

std::string derive_report_file_name(std::string_view data_file_name) {
  std::string_view name = trim_right(data_file_name);
  std::string out = name.size() <= 3 ? std::string("out") : std::string(name.substr(0, name.size() - 3)) + "out";
  return std::string(trim_both(out));
}

int read_steering_file(run_context& ctx, const species_name_table& species_names) {
  return read_steering_file_named(ctx, species_names, steering_file_name);
}

int read_steering_file_named(run_context& ctx, const species_name_table& species_names, const std::string& file_name) {
  settings& cfg = ctx.cfg;
  input_file in;
  if (!open_input_file(in, "steering file", file_name)) missing_steering_file_stop(ctx);
  remember_given_file(ctx, in.label, in.file);
  // Closes the file also when a test's diagnostic hook leaves by an exception.
  struct close_at_exit {
    input_file& file;
    ~close_at_exit() { close_input_file(file); }
  } closer{in};

  std::string line;
  auto text_line = [&](auto& field) {
    if (!next_line(ctx, in, line)) line.clear();
    set_text(field, line);
  };

  // Title and data file.
  text_line(cfg.analysis_title);
  text_line(cfg.data_file_name);
  // No file name holds a NUL byte: a name that does is refused rather than
  // read as the shorter name before it.
  if (cfg.data_file_name.view().find('\0') != std::string_view::npos)
    fail_diagnostic(ctx, "the data file's name holds a NUL byte", in.label, in.file_name, in.line_number);
  set_text(cfg.report_file_name, derive_report_file_name(cfg.data_file_name.view()));
  if (const file_refusal refusal = open_held_log(ctx); refusal.channel != nullptr)
    fail_diagnostic(ctx, refusal.what, refusal.channel, refusal.file);
  write_free_line(ctx.log, {"Analysis of ", cfg.analysis_title, "based on data read from file: ", cfg.data_file_name});

  // Delimiter and merging.
  fixed_text<1> one;
  text_line(one);
  cfg.delimiter = one.c[0];
  text_line(one);
  cfg.merge_delimiters = one.c[0] == 'y' || one.c[0] == 'Y';
  std::string_view delimiter(&cfg.delimiter, 1);
  const char* merge_text = cfg.merge_delimiters ? " and consecutive delimiters will be considered as one"
                                                : " and consecutive delimiters indicate empty column";
  write_console_and_log(ctx, {"delimiter between columns is ", delimiter, merge_text});

  // Date layout, species, male letter, language.
  fixed_text<10> pattern;
  text_line(pattern);
  cfg.date_format_flags = date_format_flags_of(pattern.view());
  fixed_text<8> species;
  text_line(species);
  cfg.species_index = find_species_index(species_names, species);
  text_line(one);
  cfg.male_codes.c[0] = one.c[0];
  cfg.male_codes.c[1] = swap_case_char(one.c[0]);
  fixed_text<2> language;
  text_line(language);
  cfg.english = language.view() == "en" || language.view() == "En";
  if (cfg.english && cfg.species_index <= 8) cfg.species_index += 8;

  // Header line or column numbers.
  cfg.column_kind.fill(0);
  bool have_switch_line = next_line(ctx, in, line);
  char header_switch = have_switch_line && !line.empty() ? line[0] : ' ';
  if (header_switch == 'y' || header_switch == 'Y') {
    cfg.has_header = true;
    if (cfg.english)
      write_console_and_log(ctx, {"Data file contains header, content of columns will be determined by first line"});
    else
      write_console_and_log(ctx, {"Data file heeft koppen boven de kolommen, Inhoud van een kolom wordt bepaald aan "
                                  "de hand van de eerste regel"});
  } else {
    cfg.has_header = false;
    if (!have_switch_line)
      fail_diagnostic(ctx, "end of file where the column-number line was expected", in.label, in.file_name,
                      column_number_line);
    // The count is read and echoed on its own before the kinds are read.
    const std::size_t first = line.find_first_not_of(" \t");
    std::optional<std::int64_t> count =
        first == std::string::npos ? std::nullopt : read_integer_item(std::string_view(line).substr(first));
    if (!count) fail_diagnostic(ctx, "unreadable column-number line", in.label, in.file_name, in.line_number);
    std::int64_t n = *count;
    write_console_and_log(ctx, {n, cfg.english ? " columns in data file" : " kolommen in datafile"});
    if (n < 0) n = 0;
    // The count and its n kinds; text after them is ignored.
    std::optional<std::vector<std::int64_t>> list = read_integer_list(line, static_cast<std::size_t>(n) + 1);
    if (!list || list->empty())
      fail_diagnostic(ctx, "unreadable column-number line", in.label, in.file_name, in.line_number);
    if (static_cast<std::int64_t>(list->size()) - 1 < n)
      fail_diagnostic(ctx, "column-number line holds fewer column kinds than its count", in.label, in.file_name,
                      in.line_number);
    std::vector<free_item> kinds;
    for (std::int64_t k = 1; k <= n; ++k) {
      std::int64_t kind = (*list)[k];
      kinds.emplace_back(static_cast<long long>(kind));
      if (k <= max_columns) cfg.column_kind[k - 1] = static_cast<int>(kind);
    }
    // No kinds (a count of 0 or less): the console line is one blank.
    if (kinds.empty())
      write_free_line(ctx.console, {""});
    else
      write_free_line(ctx.console, kinds);
    kinds.insert(kinds.begin(), free_item(cfg.english ? "index numbers of columns" : "index nummers van kolommen"));
    write_free_line(ctx.log, kinds);
  }

  set_species_sex_words(cfg, cfg.species_index);

  // Subpopulation codes.
  std::int64_t n_subpop = count_line(ctx, in);
  write_console_and_log(ctx, {cfg.english ? "number of subpopulations" : "aantal sub-populaties", n_subpop});
  cfg.n_subpop = static_cast<int>(n_subpop < 0 ? 0 : n_subpop);
  // Codes are added as their lines are read, so that a count far beyond the
  // file's lines meets the end of the file rather than a failed allocation.
  cfg.subpop_codes.clear();
  for (int k = 0; k < cfg.n_subpop; ++k)
    cfg.subpop_codes.push_back(make_text<20>(required_line(ctx, in, "a subpopulation code")));

  // Colour codes, then the two classes every run has.
  std::int64_t n_colours = count_line(ctx, in);
  write_console_and_log(ctx, {cfg.english ? "number of (colour)varieties" : "aantal kleurslagen", n_colours});
  if (n_colours < 0) n_colours = 0;
  cfg.colour_codes.clear();
  for (std::int64_t k = 0; k < n_colours; ++k)
    cfg.colour_codes.push_back(make_text<40>(required_line(ctx, in, "a colour code")));
  cfg.colour_codes.push_back(make_text<40>("Onbekend"));
  cfg.colour_codes.push_back(make_text<40>("niet erkend"));
  cfg.n_colour_classes = static_cast<int>(cfg.colour_codes.size());

  // The echo of the settings.
  if (cfg.english)
    write_console_and_log(ctx, {"Data for ", cfg.analysis_title, " will be read from ", cfg.data_file_name});
  else
    write_console_and_log(ctx, {"Gegevens voor ", cfg.analysis_title, " worden gelezen uit ", cfg.data_file_name});
  for (output_channel* channel : {&ctx.console, &ctx.log}) {
    write_free_line(*channel, {cfg.english ? "and written to " : "en weggeschreven naar ", cfg.report_file_name});
    write_free_line(*channel, {cfg.english ? "subpopulations allowed" : "toegestane subpopulaties "});
  }
  for (const auto& code : cfg.subpop_codes) write_console_and_log(ctx, {code});
  write_console_and_log(ctx, {cfg.english ? "colour/variety codes allowed " : "toegestane kleurcodes "});
  for (const auto& code : cfg.colour_codes) write_console_and_log(ctx, {code});

  // Renumbered pedigree file.
  cfg.write_new_pedfile = false;
  if (next_line(ctx, in, line) && !line.empty() && (line[0] == 'y' || line[0] == 'Y')) {
    cfg.write_new_pedfile = true;
    if (cfg.english)
      write_console_and_log(ctx, {"Output file with renumbered pedigree file and inbreeding coefficients to be created"});
    else
      write_console_and_log(ctx, {"File met hernummerde stamboom en inteeltcoefficienten zal worden gemaakt"});
  }
  close_input_file(in);
  return 1;
}

}  // namespace veldmarsh
