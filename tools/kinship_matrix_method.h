// Slow kinship per birth year for the kinship benchmark: the
// relationship matrix of every year filled column by column from
// calc_relationship_column, every entry rounded to single precision, and the
// statistics summed over the whole matrix in double. Years are taken whole
// (the benchmark's pedigrees have no year of 72000 animals).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/animal_record.h"
#include "common/output_channel.h"
#include "common/settings.h"
#include "common/year_table.h"
#include "inbreeding/calc_relationship_column.h"

namespace veldmarsh::kinship_reference {

// The relationship matrix (single precision, m x m) of the animals `rows`
// (table order), each column taken from the column of the later animal.
inline std::vector<float> year_matrix(const animal_table& animal, const std::vector<std::int32_t>& rows) {
  std::int64_t n = animal.size();
  std::size_t m = rows.size();
  std::vector<parent_numbers> ped(static_cast<std::size_t>(n) + 1, parent_numbers{0, 0});
  std::vector<double> f8(static_cast<std::size_t>(n) + 1, 0.0);
  for (std::int64_t i = 1; i <= n; ++i) {
    ped[static_cast<std::size_t>(i)] = {animal[i].sire_nr, animal[i].dam_nr};
    f8[static_cast<std::size_t>(i)] = animal[i].inbreeding;
  }
  std::vector<double> column(static_cast<std::size_t>(n) + 1, 0.0);
  std::vector<float> matrix(m * m, 0.0f);
  output_channel console;  // the column checks never fire on a sorted table
  for (std::size_t i = 0; i < m; ++i) {
    std::int32_t a = rows[i];
    if (animal[a].sire_nr == 0 && animal[a].dam_nr == 0) {
      matrix[i * m + i] = 1.0f;
      continue;
    }
    calc_relationship_column(console, column, ped, a, a, f8);
    for (std::size_t c = 0; c <= i; ++c) matrix[i * m + c] = matrix[c * m + i] = static_cast<float>(column[static_cast<std::size_t>(rows[c])]);
  }
  return matrix;
}

// Sum of the matrix over the rows `r` and columns `c` (positions), in double.
inline double block_sum(const std::vector<float>& matrix, std::size_t m, const std::vector<std::size_t>& r,
                        const std::vector<std::size_t>& c) {
  double sum = 0.0;
  for (std::size_t i : r)
    for (std::size_t j : c) sum += matrix[i * m + j];
  return sum;
}

// Columns 1 to 6 of one set as the kinship step defines them, from its matrix.
inline std::vector<double> slow_set_statistics(const animal_table& animal, const std::vector<std::int32_t>& rows,
                                                  const std::vector<float>& matrix) {
  std::size_t m = rows.size();
  std::vector<double> out(6, 0.0);
  std::vector<std::size_t> all, parents, fathers, mothers;
  for (std::size_t i = 0; i < m; ++i) {
    all.push_back(i);
    const animal_record& r = animal[rows[i]];
    if (r.has_counted_offspring) {
      parents.push_back(i);
      if (r.sex == 1) fathers.push_back(i);
      if (r.sex == 2) mothers.push_back(i);
    }
  }
  auto sum_f = [&](const std::vector<std::size_t>& set) {
    double s = 0.0;
    for (std::size_t i : set) s += animal[rows[i]].inbreeding;
    return s;
  };
  double md = static_cast<double>(m);
  out[0] = sum_f(all) / md;
  out[1] = block_sum(matrix, m, all, all) / (md * md);
  const std::vector<std::size_t>* sets[4] = {&all, &parents, &fathers, &mothers};
  for (int k = 0; k < 4; ++k) {
    double t = static_cast<double>(sets[k]->size());
    if (t >= 2) out[static_cast<std::size_t>(k + 2)] = (block_sum(matrix, m, *sets[k], *sets[k]) - t - sum_f(*sets[k])) / (t * (t - 1));
  }
  return out;
}

// The kinship tables of the whole run, from the matrix of every year. Relationship columns stay
// unhalved in `year_inbreeding`; the subpopulation kinships are halved.
struct slow_result {
  std::vector<std::vector<double>> year_inbreeding;      // [k - 1][c - 1]
  std::vector<std::vector<double>> year_subpop_kinship;  // [k - 1][c - 1]
};

inline slow_result slow_kinship_by_year(const animal_table& animal, std::int64_t n_years, int first_year,
                                              const settings& cfg) {
  slow_result out;
  int n_subpop = cfg.n_subpop;
  std::size_t n_cols = static_cast<std::size_t>(2 * n_subpop + n_subpop * (n_subpop - 1) / 2);
  out.year_inbreeding.assign(static_cast<std::size_t>(n_years), std::vector<double>(6, 0.0));
  out.year_subpop_kinship.assign(static_cast<std::size_t>(n_years), std::vector<double>(n_cols, 0.0));
  for (std::int64_t k = 1; k <= n_years; ++k) {
    std::vector<std::int32_t> rows;
    for (std::int64_t t = 1; t <= animal.size(); ++t)
      if (animal[t].birth_year == first_year + k - 1) rows.push_back(static_cast<std::int32_t>(t));
    if (rows.empty()) continue;
    std::vector<double>& y = out.year_inbreeding[static_cast<std::size_t>(k - 1)];
    double sf = 0.0;
    for (std::int32_t t : rows) sf += animal[t].inbreeding;
    y[0] = sf / static_cast<double>(rows.size());
    std::vector<float> matrix = year_matrix(animal, rows);
    std::vector<double> stats = slow_set_statistics(animal, rows, matrix);
    for (int c = 1; c < 6; ++c) y[static_cast<std::size_t>(c)] = stats[static_cast<std::size_t>(c)];
    if (n_subpop <= 1) continue;
    // Within and between subpopulations: members by their code.
    std::size_t m = rows.size();
    std::vector<std::vector<std::size_t>> members(static_cast<std::size_t>(n_subpop) + 1);
    for (int j = 1; j <= n_subpop; ++j)
      for (std::size_t i = 0; i < m; ++i)
        if (animal[rows[i]].subpop_code == cfg.subpop_codes[static_cast<std::size_t>(j - 1)]) members[static_cast<std::size_t>(j)].push_back(i);
    std::vector<double>& s = out.year_subpop_kinship[static_cast<std::size_t>(k - 1)];
    for (int j = 1; j <= n_subpop; ++j) {
      const std::vector<std::size_t>& mj = members[static_cast<std::size_t>(j)];
      double nj = static_cast<double>(mj.size());
      if (mj.size() < 2) continue;
      double sfj = 0.0;
      for (std::size_t i : mj) sfj += animal[rows[i]].inbreeding;
      s[static_cast<std::size_t>(2 * j - 2)] = sfj / nj;
      s[static_cast<std::size_t>(2 * j - 1)] = 0.5 * ((block_sum(matrix, m, mj, mj) - sfj - nj) / (nj * (nj - 1)));
      for (int q = j + 1; q <= n_subpop; ++q) {
        const std::vector<std::size_t>& mq = members[static_cast<std::size_t>(q)];
        if (mq.empty()) continue;
        std::int64_t p = (j - 1) * n_subpop - j * (j - 1) / 2 + (q - j);
        s[static_cast<std::size_t>(2 * n_subpop + p - 1)] = 0.5 * (block_sum(matrix, m, mj, mq) / (nj * static_cast<double>(mq.size())));
      }
    }
  }
  return out;
}

}  // namespace veldmarsh::kinship_reference
