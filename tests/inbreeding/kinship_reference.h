// Slow kinship per birth year for the tests and the benchmark: the
// relationship matrix of every year (or part of a split year) filled column
// by column from calc_relationship_column, every entry rounded to single
// precision, and the statistics summed over the whole matrix in double.
// Also random sorted pedigrees and inbreeding coefficients from a tabular
// relationship matrix.
#pragma once

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "common/animal_record.h"
#include "common/output_channel.h"
#include "common/settings.h"
#include "common/year_table.h"
#include "inbreeding/calc_relationship_column.h"

namespace veldmarsh::kinship_reference {

// A sorted table of n animals: parents drawn among earlier animals (some
// unknown, now and then one animal as both parents), birth years rising
// with the number over `span` years from `first_year` (a few animals of
// unknown year), months 1..12 or `month_bias`-heavy, subpopulation codes
// drawn from `codes` plus one code no subpopulation has and a blank one.
inline animal_table random_pedigree(std::mt19937& rng, int n, int first_year, int span,
                                    const std::vector<std::string>& codes, int month_bias = 0) {
  animal_table animal;
  animal.rows.assign(static_cast<std::size_t>(n) + 1, new_animal_record());
  std::vector<std::int32_t> males, females;
  auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int i = 1; i <= n; ++i) {
    animal_record& r = animal[i];
    r.nr = i;
    r.sex = uniform(1, 2);
    r.birth_year = first_year + static_cast<int>(static_cast<std::int64_t>(i - 1) * span / n) + uniform(-1, 1);
    if (r.birth_year < first_year) r.birth_year = first_year;
    if (uniform(0, 40) == 0) r.birth_year = 0;
    r.birth_month = month_bias > 0 && uniform(0, 1) == 0 ? month_bias : uniform(1, 12);
    if (!males.empty() && uniform(0, 99) >= 20) r.sire_nr = males[static_cast<std::size_t>(uniform(0, static_cast<int>(males.size()) - 1))];
    if (!females.empty() && uniform(0, 99) >= 20) r.dam_nr = females[static_cast<std::size_t>(uniform(0, static_cast<int>(females.size()) - 1))];
    if (r.sire_nr != 0 && uniform(0, 30) == 0) r.dam_nr = r.sire_nr;
    int code = uniform(0, static_cast<int>(codes.size()) + 1);
    if (code < static_cast<int>(codes.size())) set_text(animal, r.subpop_code, codes[static_cast<std::size_t>(code)]);
    else if (code == static_cast<int>(codes.size())) set_text(animal, r.subpop_code, "NOWHERE");
    (r.sex == 1 ? males : females).push_back(i);
  }
  for (int i = 1; i <= n; ++i)
    for (std::int32_t p : {animal[i].sire_nr, animal[i].dam_nr})
      if (p != 0) {
        animal[p].is_parent = true;
        if (uniform(0, 9) != 0) animal[p].has_counted_offspring = true;
      }
  return animal;
}

// The relationship matrix of the whole table, filled row by row from the
// parents (the tabular method), in double: a[i][j], one-based.
inline std::vector<std::vector<double>> tabular_relationships(const animal_table& animal) {
  const std::size_t n = static_cast<std::size_t>(animal.size());
  std::vector<std::vector<double>> a(n + 1, std::vector<double>(n + 1, 0.0));
  for (std::size_t i = 1; i <= n; ++i) {
    const std::size_t s = static_cast<std::size_t>(animal[i].sire_nr), d = static_cast<std::size_t>(animal[i].dam_nr);
    for (std::size_t j = 1; j < i; ++j) a[i][j] = a[j][i] = 0.5 * ((s ? a[j][s] : 0.0) + (d ? a[j][d] : 0.0));
    a[i][i] = 1.0 + (s && d ? 0.5 * a[s][d] : 0.0);
  }
  return a;
}

// F of every animal from the tabular relationship matrix, stored in single
// precision as calc_inbreeding_coefficients stores it.
inline void tabular_inbreeding(animal_table& animal) {
  const std::vector<std::vector<double>> a = tabular_relationships(animal);
  for (std::int64_t i = 1; i <= animal.size(); ++i)
    animal[i].inbreeding = static_cast<float>(a[static_cast<std::size_t>(i)][static_cast<std::size_t>(i)] - 1.0);
}

// The relationship matrix (single precision, m x m) of the animals `rows`
// (table order), each column taken from the column of the later animal.
inline std::vector<float> slow_matrix(const animal_table& animal, const std::vector<std::int32_t>& rows) {
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

// Columns 1 to 6 of one set (mean F, then the five mean relationships of
// calc_kinship_by_year), from its matrix.
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

// The parts of a split year, one month after the other, marking every
// animal of the month in each round.
inline std::vector<int> slow_month_blocks(const animal_table& animal, const std::vector<std::int32_t>& rows,
                                             std::int64_t part_size, int& n_blocks) {
  std::int64_t n = static_cast<std::int64_t>(rows.size());
  n_blocks = static_cast<int>(n / part_size + 1);
  std::int64_t target = n / n_blocks;
  std::vector<int> block(rows.size(), n_blocks);
  int b = 1;
  std::int64_t count = 0;
  for (int month = 1;; ++month) {
    for (std::size_t i = 0; i < rows.size(); ++i)
      if (animal[rows[i]].birth_month == month) {
        block[i] = b;
        ++count;
      }
    if (count >= target) {
      ++b;
      if (b == n_blocks) break;
      count = 0;
    }
    if (month + 1 > 12) break;
  }
  return block;
}

// The kinship tables of the whole run from the matrices. Relationship columns stay
// unhalved in `year_inbreeding`; the subpopulation kinships are halved. The
// subpopulations of a split year take every pair of the year, from the
// tabular matrix.
struct slow_result {
  std::vector<std::vector<double>> year_inbreeding;      // [k - 1][c - 1]
  std::vector<std::vector<double>> year_subpop_kinship;  // [k - 1][c - 1]
  std::vector<std::vector<std::vector<double>>> parts;   // per year: part rows (count, 6 statistics)
};

inline slow_result slow_kinship_by_year(const animal_table& animal, std::int64_t n_years, int first_year,
                                              const settings& cfg, std::int64_t split_from = 72000,
                                              std::int64_t part_size = 40000) {
  slow_result out;
  int n_subpop = cfg.n_subpop;
  std::size_t n_cols = static_cast<std::size_t>(2 * n_subpop + n_subpop * (n_subpop - 1) / 2);
  out.year_inbreeding.assign(static_cast<std::size_t>(n_years), std::vector<double>(6, 0.0));
  out.year_subpop_kinship.assign(static_cast<std::size_t>(n_years), std::vector<double>(n_cols, 0.0));
  out.parts.resize(static_cast<std::size_t>(n_years));
  std::vector<std::vector<double>> tabular;  // made for the first split year
  for (std::int64_t k = 1; k <= n_years; ++k) {
    std::vector<std::int32_t> rows;
    for (std::int64_t t = 1; t <= animal.size(); ++t)
      if (animal[t].birth_year == first_year + k - 1) rows.push_back(static_cast<std::int32_t>(t));
    if (rows.empty()) continue;
    std::vector<double>& y = out.year_inbreeding[static_cast<std::size_t>(k - 1)];
    double sf = 0.0;
    for (std::int32_t t : rows) sf += animal[t].inbreeding;
    y[0] = sf / static_cast<double>(rows.size());
    const bool split = static_cast<std::int64_t>(rows.size()) >= split_from;
    if (split) {
      int n_blocks = 0;
      std::vector<int> block = slow_month_blocks(animal, rows, part_size, n_blocks);
      std::vector<double> weighted(6, 0.0);
      for (int p = 1; p <= n_blocks; ++p) {
        std::vector<std::int32_t> part;
        for (std::size_t i = 0; i < rows.size(); ++i)
          if (block[i] == p) part.push_back(rows[i]);
        std::vector<double> stats(6, 0.0);
        if (!part.empty()) stats = slow_set_statistics(animal, part, slow_matrix(animal, part));
        if (part.size() < 2) stats[0] = 0.0;  // a part of one keeps mean F 0
        std::vector<double> line = {static_cast<double>(part.size())};
        line.insert(line.end(), stats.begin(), stats.end());
        out.parts[static_cast<std::size_t>(k - 1)].push_back(line);
        for (int c = 1; c < 6; ++c) weighted[static_cast<std::size_t>(c)] += static_cast<double>(part.size()) * stats[static_cast<std::size_t>(c)];
      }
      for (int c = 1; c < 6; ++c) y[static_cast<std::size_t>(c)] = weighted[static_cast<std::size_t>(c)] / static_cast<double>(rows.size());
    }
    std::vector<float> matrix;
    std::function<double(const std::vector<std::size_t>&, const std::vector<std::size_t>&)> pair_sum;
    if (!split) {
      matrix = slow_matrix(animal, rows);
      std::vector<double> stats = slow_set_statistics(animal, rows, matrix);
      for (int c = 1; c < 6; ++c) y[static_cast<std::size_t>(c)] = stats[static_cast<std::size_t>(c)];
      pair_sum = [&](const std::vector<std::size_t>& r, const std::vector<std::size_t>& c) {
        return block_sum(matrix, rows.size(), r, c);
      };
    } else {
      // A split year's subpopulations span the whole year: from the tabular
      // matrix of the whole table.
      if (tabular.empty()) tabular = tabular_relationships(animal);
      pair_sum = [&](const std::vector<std::size_t>& r, const std::vector<std::size_t>& c) {
        double sum = 0.0;
        for (std::size_t i : r)
          for (std::size_t j : c) sum += tabular[static_cast<std::size_t>(rows[i])][static_cast<std::size_t>(rows[j])];
        return sum;
      };
    }
    if (n_subpop <= 1) continue;
    // Within and between subpopulations: members by their code.
    std::size_t m = rows.size();
    std::vector<std::vector<std::size_t>> members(static_cast<std::size_t>(n_subpop) + 1);
    for (int j = 1; j <= n_subpop; ++j)
      for (std::size_t i = 0; i < m; ++i)
        if (text_of(animal, animal[rows[i]].subpop_code) == cfg.subpop_codes[static_cast<std::size_t>(j - 1)]) members[static_cast<std::size_t>(j)].push_back(i);
    std::vector<double>& s = out.year_subpop_kinship[static_cast<std::size_t>(k - 1)];
    for (int j = 1; j <= n_subpop; ++j) {
      const std::vector<std::size_t>& mj = members[static_cast<std::size_t>(j)];
      double nj = static_cast<double>(mj.size());
      if (mj.size() < 2) continue;
      double sfj = 0.0;
      for (std::size_t i : mj) sfj += animal[rows[i]].inbreeding;
      s[static_cast<std::size_t>(2 * j - 2)] = sfj / nj;
      s[static_cast<std::size_t>(2 * j - 1)] = 0.5 * ((pair_sum(mj, mj) - sfj - nj) / (nj * (nj - 1)));
      for (int q = j + 1; q <= n_subpop; ++q) {
        const std::vector<std::size_t>& mq = members[static_cast<std::size_t>(q)];
        if (mq.empty()) continue;
        std::int64_t p = (j - 1) * n_subpop - j * (j - 1) / 2 + (q - j);
        s[static_cast<std::size_t>(2 * n_subpop + p - 1)] = 0.5 * (pair_sum(mj, mq) / (nj * static_cast<double>(mq.size())));
      }
    }
  }
  return out;
}

}  // namespace veldmarsh::kinship_reference
