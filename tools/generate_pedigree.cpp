// Deterministic pedigree generator for tests and benchmarks.
//
//   generate_pedigree --animals N [--seed S] [--subpops K] [--breeders B]
//                     [--shuffle] [--out FILE]
//
// Writes a semicolon-separated data file with the header line
// id;sire;dam;sex;birthdate (then ;subpopulation with K > 0 and ;breeder with
// B > 0) and dd-mm-yyyy birth dates. The population is closed: founders are
// born in six years (1980-1985) with unknown parents; then, in about forty
// birth years (1986-2025), litters of 1 to 10 young of one sire and one dam
// are born to animals of the population. About 8 % of the males are sires,
// with a heavy-tailed popularity, and 45 % of the females are dams, so
// inbreeding rises over the years. Subpopulation codes are SUB1..SUBK (the
// young take the dam's code, now and then the sire's); breeders are
// Breeder0001.. with a heavy-tailed number of litters. --shuffle writes the
// animal lines in random order (the header stays first). The same arguments
// give the same file byte for byte (its own random stream; only pow comes
// from the C library).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// splitmix64: small, fast and the same everywhere.
struct random_stream {
  std::uint64_t state;
  std::uint64_t next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // Uniform in [0, n).
  std::uint64_t below(std::uint64_t n) { return n == 0 ? 0 : next() % n; }
  // Uniform in (0, 1].
  double unit() { return (static_cast<double>(next() >> 11) + 1.0) / 9007199254740992.0; }
  bool chance(double p) { return unit() <= p; }
};

struct generated_animal {
  std::int32_t sire = 0;  // serial number, 0 = unknown
  std::int32_t dam = 0;
  std::int32_t year = 0;
  std::int8_t month = 1;
  std::int8_t day = 1;
  bool male = false;
  bool breeding = false;  // a designated sire or dam
  float popularity = 0;   // weight of a designated sire
  std::int32_t subpop = 0;   // 1..K, 0 without subpopulations
  std::int32_t breeder = 0;  // 1..B, 0 without breeders
};

constexpr int first_founder_year = 1980;
constexpr int n_founder_years = 6;
constexpr int n_litter_years = 40;
constexpr double sire_share = 0.08;
constexpr double dam_share = 0.45;

// Heavy-tailed weight: Pareto with shape 1.2, capped.
float pareto_weight(random_stream& rng) { return static_cast<float>(std::min(1000.0, std::pow(rng.unit(), -1.0 / 1.2))); }

// Picks an index by cumulative weight.
std::size_t pick_weighted(random_stream& rng, const std::vector<double>& cumulative) {
  double target = rng.unit() * cumulative.back();
  auto it = std::lower_bound(cumulative.begin(), cumulative.end(), target);
  if (it == cumulative.end()) --it;
  return static_cast<std::size_t>(it - cumulative.begin());
}

void usage() {
  std::fprintf(stderr,
               "usage: generate_pedigree --animals N [--seed S] [--subpops K] [--breeders B] [--shuffle] "
               "[--out FILE]\n");
  std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
  std::int64_t n_animals = -1;
  std::uint64_t seed = 1;
  int n_subpops = 0;
  int n_breeders = 0;
  bool shuffle = false;
  const char* out_name = nullptr;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&]() -> const char* {
      if (i + 1 >= argc) usage();
      return argv[++i];
    };
    if (a == "--animals") n_animals = std::atoll(value());
    else if (a == "--seed") seed = std::strtoull(value(), nullptr, 10);
    else if (a == "--subpops") n_subpops = std::atoi(value());
    else if (a == "--breeders") n_breeders = std::atoi(value());
    else if (a == "--shuffle") shuffle = true;
    else if (a == "--out") out_name = value();
    else usage();
  }
  if (n_animals < 0 || n_animals > 2000000000 || n_subpops < 0 || n_breeders < 0) usage();

  random_stream rng{seed * 0x2545F4914F6CDD1DULL + 12345};
  std::vector<generated_animal> animals(static_cast<std::size_t>(n_animals) + 1);  // serial 1..N
  std::vector<double> breeder_cumulative;
  for (int b = 1; b <= n_breeders; ++b)
    breeder_cumulative.push_back((b == 1 ? 0.0 : breeder_cumulative.back()) + 1.0 / std::pow(b, 0.9));
  auto random_breeder = [&]() { return n_breeders == 0 ? 0 : static_cast<int>(pick_weighted(rng, breeder_cumulative)) + 1; };

  // Per birth year: the serial numbers of the designated sires and dams.
  const int last_year = first_founder_year + n_founder_years + n_litter_years - 1;
  std::vector<std::vector<std::int32_t>> sires_born(last_year + 1 - first_founder_year);
  std::vector<std::vector<std::int32_t>> dams_born(sires_born.size());

  auto designate = [&](std::int32_t serial) {
    generated_animal& a = animals[serial];
    std::size_t y = static_cast<std::size_t>(a.year - first_founder_year);
    if (a.male && rng.chance(sire_share)) {
      a.breeding = true;
      a.popularity = pareto_weight(rng);
      sires_born[y].push_back(serial);
    } else if (!a.male && rng.chance(dam_share)) {
      a.breeding = true;
      dams_born[y].push_back(serial);
    }
  };

  std::int64_t n_founders = std::min<std::int64_t>(n_animals, std::max<std::int64_t>(10, n_animals / 40));
  std::int32_t serial = 0;
  for (int fy = 0; fy < n_founder_years; ++fy) {
    std::int64_t upto = n_founders * (fy + 1) / n_founder_years;
    while (serial < upto) {
      generated_animal& a = animals[++serial];
      a.year = first_founder_year + fy;
      a.month = static_cast<std::int8_t>(1 + rng.below(12));
      a.day = static_cast<std::int8_t>(1 + rng.below(28));
      a.male = serial == 1 ? true : serial == 2 ? false : rng.chance(0.5);
      a.subpop = n_subpops == 0 ? 0 : static_cast<int>(1 + rng.below(n_subpops));
      a.breeder = random_breeder();
      designate(serial);
    }
  }

  // Candidates of one sex born in [from, to]; when there are none, every
  // animal of that sex born before `year` (there is always one: founders 1
  // and 2 are a male and a female).
  std::vector<std::int32_t> candidates;
  std::vector<double> cumulative;
  auto gather = [&](bool male, int year, int from, int to) {
    candidates.clear();
    cumulative.clear();
    const auto& born = male ? sires_born : dams_born;
    for (int y = std::max(from, first_founder_year); y <= to; ++y)
      for (std::int32_t s : born[y - first_founder_year]) candidates.push_back(s);
    if (candidates.empty())
      for (std::int32_t s = 1; s <= serial && animals[s].year < year; ++s)
        if (animals[s].male == male) candidates.push_back(s);
    double sum = 0;
    for (std::int32_t s : candidates) {
      sum += male ? (animals[s].popularity > 0 ? animals[s].popularity : 1.0f) : 1.0;
      cumulative.push_back(sum);
    }
  };
  std::vector<std::int32_t> sire_pool, dam_pool;
  std::vector<double> sire_cumulative;

  const std::int64_t n_young = n_animals - n_founders;
  for (int ly = 0; ly < n_litter_years; ++ly) {
    const int year = first_founder_year + n_founder_years + ly;
    const std::int64_t upto = n_founders + n_young * (ly + 1) / n_litter_years;
    if (serial >= upto) continue;
    gather(true, year, year - 10, year - 2);
    sire_pool = candidates;
    sire_cumulative = cumulative;
    gather(false, year, year - 8, year - 2);
    dam_pool = candidates;
    while (serial < upto) {
      std::int32_t sire = sire_pool[pick_weighted(rng, sire_cumulative)];
      std::int32_t dam = dam_pool[rng.below(dam_pool.size())];
      int litter = static_cast<int>(1 + rng.below(10));
      auto month = static_cast<std::int8_t>(1 + rng.below(12));
      auto day = static_cast<std::int8_t>(1 + rng.below(28));
      int breeder = n_breeders == 0 ? 0 : rng.chance(0.9) ? animals[dam].breeder : random_breeder();
      for (int k = 0; k < litter && serial < upto; ++k) {
        generated_animal& a = animals[++serial];
        a.sire = sire;
        a.dam = dam;
        a.year = year;
        a.month = month;
        a.day = day;
        a.male = rng.chance(0.5);
        a.subpop = n_subpops == 0 ? 0 : rng.chance(0.95) ? animals[dam].subpop : animals[sire].subpop;
        a.breeder = breeder;
        designate(serial);
      }
    }
  }

  // The lines, in birth order or shuffled.
  std::vector<std::int32_t> order(static_cast<std::size_t>(n_animals));
  for (std::int32_t s = 1; s <= n_animals; ++s) order[s - 1] = s;
  if (shuffle)
    for (std::size_t i = order.size(); i > 1; --i) std::swap(order[i - 1], order[rng.below(i)]);

  int width = std::max<int>(7, static_cast<int>(std::to_string(n_animals).size()));
  std::string text = "id;sire;dam;sex;birthdate";
  if (n_subpops > 0) text += ";subpopulation";
  if (n_breeders > 0) text += ";breeder";
  text += '\n';
  text.reserve(static_cast<std::size_t>(n_animals) * 48 + 64);
  char buf[160];
  auto id = [&](std::int32_t s, char* at) { return std::snprintf(at, 24, "G%0*d", width, s); };
  for (std::int32_t s : order) {
    const generated_animal& a = animals[s];
    int n = id(s, buf);
    buf[n++] = ';';
    if (a.sire != 0) n += id(a.sire, buf + n);
    buf[n++] = ';';
    if (a.dam != 0) n += id(a.dam, buf + n);
    n += std::snprintf(buf + n, sizeof buf - n, ";%c;%02d-%02d-%04d", a.male ? 'M' : 'F', a.day, a.month, a.year);
    if (n_subpops > 0) n += std::snprintf(buf + n, sizeof buf - n, ";SUB%d", a.subpop);
    if (n_breeders > 0) n += std::snprintf(buf + n, sizeof buf - n, ";Breeder%04d", a.breeder);
    buf[n++] = '\n';
    text.append(buf, static_cast<std::size_t>(n));
  }

  std::FILE* out = out_name == nullptr ? stdout : std::fopen(out_name, "wb");
  if (out == nullptr) {
    std::fprintf(stderr, "generate_pedigree: cannot write %s\n", out_name);
    return 1;
  }
  bool ok = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  ok = (out == stdout ? std::fflush(out) : std::fclose(out)) == 0 && ok;
  if (!ok) {
    std::fprintf(stderr, "generate_pedigree: write failed\n");
    return 1;
  }
  return 0;
}
