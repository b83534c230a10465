// Benchmark of the pedigree building steps: the search for missing parents
// with the growth of the table, the linking and the sort, on a generated
// pedigree of (by default) 1,000,000 animals, in file order (parents first)
// and with its lines in random order.
//
// Usage: bench_pedigree_build [animals] [seed]
//        bench_pedigree_build --file FILE   (a data file id;sire;dam;sex;birthdate
//                                            with a header line, as written by
//                                            generate_pedigree; taken in its own
//                                            order only)
// Console and report lines go to /dev/null; the times go to standard output.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "common/animal_record.h"
#include "common/run_context.h"
#include "run/check_parents.h"
#include "run/link_parents.h"

using namespace veldmarsh;

namespace {

// A pedigree of about 40,000 births a year: the first year founders, then
// sires drawn from few males and dams from many females of the 1-8 years
// before; one parent in 200 is named without a record of its own.
std::vector<animal_record> generate(std::int64_t n, unsigned seed) {
  std::mt19937_64 rng(seed);
  std::vector<animal_record> out;
  out.reserve(static_cast<std::size_t>(n));
  const std::int64_t per_year = 40000;
  std::vector<std::vector<std::int64_t>> males_by_year, females_by_year;
  char id[64];
  auto name_of = [&](std::int64_t k) {
    std::snprintf(id, sizeof id, "DE0%012lld", static_cast<long long>(k) * 7919 % 1000000000007LL);
    return std::string(id);
  };
  for (std::int64_t k = 0; k < n; ++k) {
    std::int64_t year = k / per_year;
    if (static_cast<std::int64_t>(males_by_year.size()) <= year) {
      males_by_year.emplace_back();
      females_by_year.emplace_back();
    }
    animal_record r = new_animal_record();
    set_text(r.herdbook_nr, name_of(k));
    r.birth_year = static_cast<std::int32_t>(1990 + year);
    r.birth_month = 1 + static_cast<std::int32_t>(rng() % 12);
    r.birth_day = 1 + static_cast<std::int32_t>(rng() % 28);
    r.sex = rng() % 2 == 0 ? 1 : 2;
    if (year > 0) {
      auto pick = [&](std::vector<std::vector<std::int64_t>>& by_year, std::int64_t pool) -> std::string {
        std::int64_t back = 1 + static_cast<std::int64_t>(rng() % 8);
        std::int64_t y = std::max<std::int64_t>(0, year - back);
        const auto& list = by_year[static_cast<std::size_t>(y)];
        if (list.empty() || rng() % 200 == 0) return "XX" + std::to_string(rng() % 5000);
        std::int64_t m = std::min<std::int64_t>(pool, static_cast<std::int64_t>(list.size()));
        return name_of(list[static_cast<std::size_t>(rng() % static_cast<std::uint64_t>(m))]);
      };
      set_text(r.sire_id, pick(males_by_year, 400));
      set_text(r.dam_id, pick(females_by_year, 1 << 30));
    }
    (r.sex == 1 ? males_by_year : females_by_year)[static_cast<std::size_t>(year)].push_back(k);
    out.push_back(r);
  }
  return out;
}

// The records of a data file with the columns id;sire;dam;sex;birthdate.
std::vector<animal_record> read_file(const char* name) {
  std::vector<animal_record> out;
  std::ifstream in(name);
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    std::vector<std::string> f;
    std::size_t start = 0, end;
    while ((end = line.find(';', start)) != std::string::npos) {
      f.push_back(line.substr(start, end - start));
      start = end + 1;
    }
    f.push_back(line.substr(start));
    f.resize(5);
    animal_record r = new_animal_record();
    set_text(r.herdbook_nr, f[0]);
    set_text(r.sire_id, f[1].empty() ? "0" : f[1]);
    set_text(r.dam_id, f[2].empty() ? "0" : f[2]);
    r.sex = f[3] == "M" ? 1 : 2;
    if (f[4].size() == 10) {
      r.birth_day = std::atoi(f[4].substr(0, 2).c_str());
      r.birth_month = std::atoi(f[4].substr(3, 2).c_str());
      r.birth_year = std::atoi(f[4].substr(6, 4).c_str());
    }
    out.push_back(r);
  }
  return out;
}

double seconds_since(std::chrono::steady_clock::time_point t) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

void run_once(const std::vector<animal_record>& records, const char* label) {
  run_context ctx;
  ctx.console.file = std::fopen("/dev/null", "wb");
  ctx.report.file = std::fopen("/dev/null", "wb");
  ctx.log.file = std::fopen("/dev/null", "wb");
  ctx.cfg.english = true;
  animal_table animal;
  animal.rows.reserve(records.size() + 1);
  animal.rows.push_back(new_animal_record());
  for (const animal_record& r : records) {
    animal.rows.push_back(r);
    animal.rows.back().nr = static_cast<std::int32_t>(animal.rows.size() - 1);
  }

  auto t0 = std::chrono::steady_clock::now();
  missing_parents missing;
  check_parents(ctx, animal, missing);
  double t_check = seconds_since(t0);
  report_missing_parents(ctx, missing);
  auto ta = std::chrono::steady_clock::now();  // the growth of the table
  append_missing_parents(ctx, missing, animal);
  double t_missing = seconds_since(t0);
  double t_append = seconds_since(ta);

  auto t1 = std::chrono::steady_clock::now();
  link_parent_numbers(ctx, animal);
  double t_link = seconds_since(t1);

  auto t2 = std::chrono::steady_clock::now();
  link_parents(ctx, animal);  // links again (as the run does once), then sorts
  double t_link_and_sort = seconds_since(t2);
  double t_sort = t_link_and_sort - t_link;

  for (std::int64_t i = 1; i <= animal.size(); ++i)
    if (animal[i].sire_nr >= i || animal[i].dam_nr >= i || animal[i].nr != i) {
      std::printf("ORDER BROKEN at %lld\n", static_cast<long long>(i));
      std::exit(1);
    }
  std::printf("%-13s %lld animals (+%lld sires, +%lld dams): missing parents %.3f s (search %.3f, growth %.3f), "
              "links %.3f s, sort %.3f s; together %.3f s\n",
              label, static_cast<long long>(records.size()), static_cast<long long>(missing.sire_ids.size()),
              static_cast<long long>(missing.dam_ids.size()), t_missing, t_check, t_append, t_link, t_sort,
              t_missing + t_link + t_sort);
  std::fclose(ctx.console.file);
  std::fclose(ctx.report.file);
  std::fclose(ctx.log.file);
  ctx.console.file = ctx.report.file = ctx.log.file = nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::string(argv[1]) == "--file") {
    run_once(read_file(argv[2]), "data file");
    return 0;
  }
  std::int64_t n = argc > 1 ? std::atoll(argv[1]) : 1000000;
  unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1;
  std::vector<animal_record> records = generate(n, seed);
  run_once(records, "file order");
  std::mt19937_64 rng(seed + 1);
  std::shuffle(records.begin(), records.end(), rng);
  run_once(records, "random order");
  return 0;
}
