// Word tables of the species.
#include "run/species_words.h"

namespace veldmarsh {

namespace {
const char* const species_name_texts[17] = {
    "",    "hond", "kat", "rund",  "schaap", "paard", "pluimvee", "varken", "overig",
    "dog", "cat",  "cattle", "sheep", "horse", "poultry", "pig", "other"};

// Per species: male, males, female, females, young, young (plural).
const char* const species_word_texts[17][6] = {
    {"", "", "", "", "", ""},
    {"reu", "reuen", "teef", "teven", "pup", "pups"},
    {"kater", "katers", "poes", "poezen", "kitten", "kittens"},
    {"stier", "stieren", "koe", "koeien", "kalf", "kalveren"},
    {"ram", "rammen", "ooi", "ooien", "lam", "lammeren"},
    {"hengst", "hengsten", "merrie", "merries", "veulen", "veulens"},
    {"haan", "hanen", "hen", "hennen", "kuiken", "kuikens"},
    {"beer", "beren", "zeug", "zeugen", "big", "biggen"},
    {"vader", "vader", "moeder", "moeders", "jong", "jongen"},
    {"dog", "dogs", "bitch", "bitches", "pup", "pups"},
    {"tomcat", "tomcats", "mother", "mothers", "kitten", "kitten"},
    {"bull", "bulls", "cow", "cows", "calf", "calves"},
    {"ram", "rams", "ewe", "ewes", "lamb", "lambs"},
    {"stallion", "stallion", "mare", "mares", "foal", "foals"},
    {"cock", "cocks", "hen", "hen", "chicken", "chicken"},
    {"boar", "boars", "sow", "sows", "piglet", "piglets"},
    {"father", "fathers", "mother", "mothers", "young", "young"},
};
}  // namespace

species_name_table make_species_names() {
  species_name_table t;
  for (int i = 0; i < 17; ++i) set_text(t[i], species_name_texts[i]);
  return t;
}

int find_species_index(const species_name_table& names, const fixed_text<8>& word) {
  for (int i = 1; i <= 15; ++i)
    if (names[i] == word) return i;
  return 16;
}

void set_species_sex_words(settings& cfg, int species_index) {
  if (species_index < 1 || species_index > 16) species_index = 16;
  const char* const* w = species_word_texts[species_index];
  set_text(cfg.male_word, w[0]);
  set_text(cfg.male_words, w[1]);
  set_text(cfg.female_word, w[2]);
  set_text(cfg.female_words, w[3]);
  set_text(cfg.young_word, w[4]);
  set_text(cfg.young_words, w[5]);
}

char swap_case_char(char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
  return c;
}

}  // namespace veldmarsh
