// Data file and report file: opening, banner, line count.
#include "run/data_and_report_files.h"

#include <string>

#include "common/free_format.h"
#include "common/run_files.h"
#include "common/stops.h"
#include "run/steering_file.h"

namespace veldmarsh {

namespace {

void missing_data_file_stop(run_context& ctx) {
  const settings& cfg = ctx.cfg;
  read_clock(ctx);
  if (cfg.english) {
    std::vector<std::vector<free_item>> lines = {{"ERROR cannot find the data file", cfg.data_file_name},
                                                 {"this file is essential for running of the program"},
                                                 {"           ***PROGRAM TERMINATED***"}};
    for (const auto& l : lines) write_free_line(ctx.log, l);
    write_stop_line(ctx);
    lines.push_back({"End of program. Press RETURN to exit."});
    fatal_stop(ctx, {}, lines);
  }
  std::vector<std::vector<free_item>> lines = {{"ERROR kan de datafile", cfg.data_file_name, " niet vinden"},
                                               {"deze file is noodzakelijk om het programma te kunnen draaien"},
                                               {"           ***PROGRAMMA BEEINDIGD***"}};
  for (const auto& l : lines) write_free_line(ctx.log, l);
  write_stop_line(ctx);
  lines.push_back({"Einde programma. Druk op Enter om uit het programma te gaan."});
  fatal_stop(ctx, {}, lines);
}

}  // namespace

void open_data_and_report_files(run_context& ctx, input_file& data) {
  const settings& cfg = ctx.cfg;
  // What the steering file gave reaches the log before the data file is
  // read, which may take a while.
  hand_on_lines(ctx.log);
  std::string data_name(trim_right(cfg.data_file_name.view()));
  if (!open_input_file(data, "data file", data_name)) missing_data_file_stop(ctx);
  remember_given_file(ctx, data.label, data.file);

  // The report is written beside its name and takes it when the run ends.
  const std::string report_name(trim_right(cfg.report_file_name.view()));
  const output_opening report = open_output_beside(ctx, ctx.report, report_name);
  if (report.reached != nullptr)
    fail_diagnostic(ctx, report.by + " would replace the " + report.reached + "; rename the data file",
                    ctx.report.label, report.concerned);
  if (!report.opened) fail_diagnostic(ctx, "cannot open for writing", ctx.report.label, report.concerned);

  const char* frame = "          ******************************************";
  write_free_line(ctx.report, {frame});
  write_free_line(ctx.report, {"          *", cfg.analysis_title, "*"});
  write_free_line(ctx.report, {frame});
  write_free_line(ctx.report, {"           "});
}

void write_report_banner_columns(run_context& ctx) {
  const settings& cfg = ctx.cfg;
  write_free_line(ctx.report, {cfg.english ? "Number of varieties: " : "Aantal vari\xEBteiten: ", cfg.n_subpop});
  if (cfg.has_colour_column)
    write_free_line(ctx.report,
                    {cfg.english ? "number of colours: " : "aantal kleurslagen: ", cfg.n_colour_classes - 2});
  else
    write_free_line(ctx.report, {cfg.english ? "no colours analysed" : "geen kleurslagen geanalyseerd"});
  if (cfg.has_breeder_column)
    write_free_line(ctx.report, {cfg.english ? "breeders analysed" : "wel fokkers geanalyseerd"});
  else
    write_free_line(ctx.report, {cfg.english ? "no breeders analysed" : "geen fokkers geanalyseerd"});
  write_free_line(ctx.report, {"           "});
}

std::int64_t count_records(run_context& ctx, input_file& data) {
  // A stream that can be read only once (a named pipe) is kept in memory,
  // so that it is read the second time from there.
  if (!data.rewindable) {
    bool read_whole = false;
    allocate_tables(ctx, "the data file's bytes (it can be read only once)", [&] {
      read_whole = keep_input_in_memory(data);
      return true;
    });
    if (!read_whole) fail_diagnostic(ctx, "read failed", data.label, data.file_name);
  }
  // The progress line shows the lines read so far plus one: 1001, 2001, ...
  std::int64_t n_lines = count_input_lines(data, [&](std::int64_t lines) {
    if (lines % 1000 == 0) {
      write_free_line(ctx.console, {"record nr. ", lines + 1, "counted"});
      show_progress(ctx.console);
    }
    return true;
  });
  if (data.failed) fail_diagnostic(ctx, "read failed", data.label, data.file_name, data.line_number + 1);
  write_free_line(ctx.console, {"total number records = ", n_lines});
  if (!rewind_input_file(data))
    fail_diagnostic(ctx, "cannot go back to the first line", data.label, data.file_name, data.line_number);
  return n_lines;
}

}  // namespace veldmarsh
