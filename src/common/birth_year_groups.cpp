// Grouping the animals by birth year: a count per row, then one pass that
// places every animal after the earlier ones of its row.
#include "common/birth_year_groups.h"

#include <algorithm>
#include <string>

#include "common/stops.h"

namespace veldmarsh {

namespace {

// `each_animal(visit)` calls visit(number, row) for the animals in table
// order (row 0: no row); it is called twice.
template <typename EachAnimal>
birth_year_groups group_by_row(run_context& ctx, const year_range& years, EachAnimal&& each_animal) {
  birth_year_groups groups;
  groups.years = years;
  const std::int64_t n_years = years.n_years;
  std::vector<std::int64_t> next;  // per row: where its next animal goes
  allocate_tables(ctx, "the table of animals by birth year (birth years " + std::to_string(n_years) + ")", [&] {
    groups.start.assign(static_cast<std::size_t>(n_years) + 1, 0);
    next.resize(static_cast<std::size_t>(n_years));
    return true;
  });
  each_animal([&](std::int64_t, std::int64_t k) {
    if (k != 0) ++groups.start[static_cast<std::size_t>(k)];
  });
  for (std::int64_t k = 1; k <= n_years; ++k)
    groups.start[static_cast<std::size_t>(k)] += groups.start[static_cast<std::size_t>(k - 1)];
  groups.numbers.resize(static_cast<std::size_t>(groups.start.back()));
  std::copy(groups.start.begin(), groups.start.end() - 1, next.begin());
  each_animal([&](std::int64_t i, std::int64_t k) {
    if (k != 0)
      groups.numbers[static_cast<std::size_t>(next[static_cast<std::size_t>(k - 1)]++)] = static_cast<std::int32_t>(i);
  });
  return groups;
}

}  // namespace

birth_year_groups group_by_birth_year(run_context& ctx, const animal_table& animal, const year_range& years,
                                      const std::vector<std::int32_t>* members) {
  return group_by_row(ctx, years, [&](auto&& visit) {
    for_each_member(animal, members, [&](std::int64_t i) { visit(i, years.row_of(animal[i].birth_year)); });
  });
}

birth_year_groups group_by_rows(run_context& ctx, const year_range& years, std::span<const std::int32_t> numbers,
                                std::span<const std::int32_t> rows) {
  return group_by_row(ctx, years, [&](auto&& visit) {
    for (std::size_t m = 0; m < numbers.size(); ++m) visit(numbers[m], rows[m]);
  });
}

}  // namespace veldmarsh
