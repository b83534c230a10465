// Times the reading of a pedigree as the program does it, phase by phase:
// the steering file, the line count, the animal table, the data lines, the
// birth years and the breeder list. Run it in a folder with a steering file
// and its data file (bench/run_bench.sh does); the phase times go to
// standard error, the program's own console lines to standard output.
#include <chrono>
#include <cstdio>
#include <vector>

#include "common/stops.h"
#include "common/year_table.h"
#include "reports/breeder_list.h"
#include "run/assign_columns.h"
#include "run/birth_years.h"
#include "run/data_and_report_files.h"
#include "run/read_data_file.h"
#include "run/species_words.h"
#include "run/steering_file.h"

using namespace veldmarsh;

int main() {
  using clock = std::chrono::steady_clock;
  run_context ctx;
  ctx.console.file = stdout;
  register_run(ctx);
  const auto start = clock::now();
  auto last = start;
  auto phase = [&](const char* what) {
    auto now = clock::now();
    std::fprintf(stderr, "%-28s %8.3f s\n", what, std::chrono::duration<double>(now - last).count());
    last = now;
  };

  if (!open_output_file(ctx.log, "Veldmarshlog.txt")) return 1;
  read_clock(ctx);
  read_steering_file(ctx, make_species_names());
  input_file data;
  open_data_and_report_files(ctx, data);
  phase("steering file, files");
  std::int64_t n_lines = count_records(ctx, data);
  std::int64_t n_animals = data_file_has_header_line(ctx.cfg) ? n_lines - 1 : n_lines;
  phase("line count");
  animal_table animal;
  create_animal_table(ctx, animal, n_animals);
  phase("animal table");
  read_data_file(ctx, data, animal);
  phase("data lines read and parsed");
  std::int32_t first_year = 0, last_year = 0;
  std::int64_t n_years = 0;
  find_birth_years(animal, first_year, last_year, n_years);
  write_birth_years(ctx, first_year, last_year);
  phase("birth years");
  std::vector<breeder_name> breeder_list;
  std::int32_t n_top_breeders = 0;
  year_table<std::int32_t> breeder_year_counts;
  make_breeder_tables(ctx, animal, n_years, last_year, breeder_list, n_top_breeders, breeder_year_counts);
  reset_and_number_records(animal);
  phase("breeder list, reset");
  std::fprintf(stderr, "%-28s %8.3f s  (%lld animals, %zu breeders)\n", "total",
               std::chrono::duration<double>(clock::now() - start).count(), static_cast<long long>(animal.size()),
               breeder_list.size());
  end_run(ctx, exit_completed);
}
