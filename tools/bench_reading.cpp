// Times the reading of a pedigree as the program does it, phase by phase:
// the steering file, the line count, the animal table, the data lines, the
// birth years and the breeder list. Run it in a folder with a steering file
// and its data file (bench/run_bench.sh does); the phase times go to
// standard error, the program's own console lines to standard output.
#include <chrono>
#include <cstdio>
#include <vector>

#include "common/stops.h"
#include "reports/breeder_list.h"
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
  const std::int64_t n_animals = count_animal_lines(ctx, data);
  phase("line count");
  animal_table animal;
  create_animal_table(ctx, animal, n_animals);
  phase("animal table");
  read_data_file(ctx, data, animal);
  phase("data lines read and parsed");
  const year_range years = find_birth_years(animal);
  write_birth_years(ctx, years);
  phase("birth years");
  const breeder_tables breeders = make_breeder_tables(ctx, animal, years);
  reset_and_number_records(animal);
  phase("breeder list, reset");
  std::fprintf(stderr, "%-28s %8.3f s  (%lld animals, %zu breeders)\n", "total",
               std::chrono::duration<double>(clock::now() - start).count(), static_cast<long long>(animal.size()),
               breeders.breeder_list.size());
  end_run(ctx, exit_completed);
}
