// Reading the data file into the animal table: the columns are assigned
// (header line or the steering file's kinds), then one data line per record
// is split and parsed, with a progress block on the console now and then.
#pragma once

#include <cstdint>

#include "common/animal_record.h"
#include "common/line_input.h"
#include "common/run_context.h"

namespace veldmarsh {

// The number of records: the data file's lines (counted with count_records,
// which rewinds the file), less the header line when the file has one; with
// column kinds from the steering file every line is a record.
std::int64_t count_animal_lines(run_context& ctx, input_file& data);

// Makes `animal` a table of `n_animals` records with their first values.
// A table beyond 2^31 - 1 records, or one that cannot be allocated, ends the
// run with a diagnostic.
void create_animal_table(run_context& ctx, animal_table& animal, std::int64_t n_animals);

// Assigns the columns, writes the report banner's lines on the columns, then
// reads records 1..animal.size() from the data file (positioned at its first
// line). A file that ends early leaves the remaining records with their first
// values; a birth date that cannot be read ends the run with a diagnostic.
void read_data_file(run_context& ctx, input_file& data, animal_table& animal);

// The progress block for record `record_nr`.
void write_record_progress(run_context& ctx, const animal_table& animal, std::int64_t record_nr);

// Gives every record its derived fields' first values and numbers the
// records 1..animal.size() (before the records of missing parents are added).
void reset_and_number_records(animal_table& animal);

}  // namespace veldmarsh
