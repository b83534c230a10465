// Header line recognition and the announcement of the data columns.
//
// The header line is split like a data line (the same delimiter, merging
// and blank padding to 600 characters); each column name, without its
// leading blanks and cut to 16 characters, is looked up in a fixed table of
// the English and Dutch names the program accepts, case-sensitive.
#include "run/assign_columns.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <string>

#include "common/free_format.h"
#include "common/stops.h"
#include "run/data_fields.h"

namespace veldmarsh {

namespace {

struct keyword_group {
  int kind;
  std::initializer_list<const char*> names;
};

// Every accepted name, by kind.
const keyword_group keyword_groups[] = {
    {kind_id, {"id", "Id", "ID", "animal", "Animal", "dier", "Dier"}},
    {kind_sire_id,
     {"dad",       "sire",      "father",    "vader",     "id_dad",    "id_sire",   "id-dad",    "id-sire",
      "id-vader",  "id-father", "id_vader",  "id_father", "id dad",    "id sire",   "id vader",  "id father",
      "Dad",       "Sire",      "Father",    "Vader",     "Id_dad",    "Id_sire",   "Id-dad",    "Id-sire",
      "Id-father", "Id_vader",  "Id_father", "Id dad",    "Id sire",   "Id vader",  "Id father", "Id_Dad",
      "Id_Sire",   "Id-Dad",    "Id-Sire",   "Id-Vader",  "Id-Father", "Id_Vader",  "Id_Father", "Id Dad",
      "Id Sire",   "Id Vader",  "Id Father"}},
    {kind_dam_id,
     {"mum",       "dam",       "mother",    "moeder",    "id_mum",    "id_dam",    "id-mum",    "id-dam",
      "id-moeder", "id_moeder", "id-mother", "id_mother", "id mum",    "id dam",    "id moeder", "id mother",
      "Mum",       "Dam",       "Mother",    "Moeder",    "Id_mum",    "Id_dam",    "Id-mum",    "Id-dam",
      "Id-moeder", "Id_moeder", "Id-mother", "Id_mother", "Id mum",    "Id dam",    "Id moeder", "Id mother",
      "Id_Mum",    "Id_Dam",    "Id-Mum",    "Id-Dam",    "Id-Moeder", "Id_Moeder", "Id-Mother", "Id_Mother",
      "Id Mum",    "Id Dam",    "Id Moeder", "Id Mother"}},
    {kind_name, {"name", "naam", "Name", "Naam"}},
    {kind_sire_name,
     {"name_dad",    "name-dad",    "name dad",    "name_sire",   "name-sire",   "name sire",
      "name_father", "name-father", "name father", "naam_vader",  "naam-vader",  "naam vader",
      "Name_dad",    "Name-dad",    "Name dad",    "Name_sire",   "Name-sire",   "Name sire",
      "Name_father", "Name-father", "Name father", "Naam_vader",  "Naam-vader",  "Naam vader",
      "Name_Dad",    "Name-Dad",    "Name Dad",    "Name_Sire",   "Name-Sire",   "Name Sire",
      "Name_Father", "Name-Father", "Name Father", "Naam_Vader",  "Naam-Vader",  "Naam Vader"}},
    {kind_dam_name,
     {"name_mum",    "name-mum",    "name mum",    "name_dam",    "name-dam",    "name dam",
      "name_mother", "name-mother", "name mother", "naam_moeder", "naam-moeder", "naam moeder",
      "Name_mum",    "Name-mum",    "Name mum",    "Name_dam",    "Name-dam",    "Name dam",
      "Name_mother", "Name-mother", "Name mother", "Naam_moeder", "Naam-moeder", "Naam moeder",
      "Name Mum",    "Name_Dam",    "Name-Dam",    "Name Dam",    "Name_Mother", "Name-Mother",
      "Name Mother", "Naam_Moeder", "Naam-Moeder", "Naam Moeder", "Name_Mum",    "Name-Mum"}},
    {kind_sex, {"sex", "sexe", "sekse", "geslacht", "Sex", "Sexe", "Sekse", "Geslacht"}},
    {kind_birth_date,
     {"Geb datum", "birthdate", "Birthdate", "dob", "DoB", "DOB", "geboortedatum", "gebdatum", "geb_datum",
      "geb-datum", "Geboortedatum", "Gebdatum", "Geb_datum", "Geb-datum"}},
    {kind_colour, {"colour", "color", "kleur", "kleurslag", "Colour", "Color", "Kleur", "Kleurslag"}},
    {kind_breeder, {"breeder", "fokker", "Breeder", "Fokker"}},
    {kind_subpop,
     {"groep", "group", "Groep", "Group", "type", "breedtype", "variety", "herd", "subpopulation",
      "sub-population", "rastype", "varieteit", "kudde", "subpopulatie", "Type", "Breedtype", "Variety", "Herd",
      "Subpopulation", "Sub-population", "Rastype", "Varieteit", "Kudde", "Subpopulatie", "Sub-populatie"}},
    {kind_import, {"Import"}},
};

std::array<fixed_text<16>, n_header_keywords> make_keywords() {
  std::array<fixed_text<16>, n_header_keywords> keys;
  std::size_t j = 0;
  for (const auto& group : keyword_groups)
    for (const char* name : group.names) {
      assert(j < keys.size() && std::strlen(name) <= 16);
      set_text(keys[j++], name);
    }
  assert(j == keys.size());
  return keys;
}

std::array<int, n_header_keywords + 1> make_keyword_kinds() {
  std::array<int, n_header_keywords + 1> kinds{};
  std::size_t j = 0;
  for (const auto& group : keyword_groups)
    for (std::size_t k = 0; k < group.names.size(); ++k) kinds[j++] = group.kind;
  kinds[n_header_keywords] = 0;
  return kinds;
}

// The announcement of a column kind, English and Dutch.
struct announcement {
  const char* english;
  const char* dutch;
};

const announcement announcements[13] = {
    {nullptr, nullptr},
    {" is interpreted as id of animals", " wordt beschouwd als Id van dieren"},
    {" is interpreted as id of the fathers of animals", " wordt beschouwd als Id van de vaders van de dieren"},
    {" is interpreted as id of the mothers of animals", " wordt beschouwd als Id van de moeders van de dieren"},
    {" is interpreted as names of the animals", " wordt beschouwd als namen van de dieren"},
    {" is interpreted as names of the fathers of animals", " wordt beschouwd als namen van de vaders van de dieren"},
    {" is interpreted as names of the mothers of animals", " wordt beschouwd als namen van de moeders van de dieren"},
    {" is interpreted as sex of animals", " wordt beschouwd als het geslacht van de dieren"},
    {" is interpreted as date of birth of animals", " wordt beschouwd als geboortedatum van de dieren"},
    {" is interpreted as colour of animals", " wordt beschouwd als de kleurslag van de dieren"},
    {" is interpreted as breeder of the animals", " wordt beschouwd als de fokker van de dieren"},
    {" is interpreted as the subpopulation to which the animals belong",
     " zal worden gelezen als de subpopulatie waartoe het dier behoort"},
    {" is interpreted as indicator whether animals have been imported and/or bred outside this population",
     " zal worden gelezen als een aanduiding of het dier is ge\xEF" "mporteerd en/of buiten de populatie gefokt"},
};

// The three lines that stop the run when a required column is missing.
struct stop_lines {
  const char* english[3];
  const char* dutch[3];
};

const stop_lines& missing_column_lines(int kind) {
  static const stop_lines id = {
      {"No column found with id number of animals", "program will not run without id numbers of animals",
       "Please add a column with \"id\" in header"},
      {"Geen kolom gevonden met het id nummer van de dieren", "programma kan niet draaien zonder id nummer van de dieren",
       "AUB kolom toevoegen met \"id\" op de 1ste regel"}};
  static const stop_lines sire = {
      {"No column found with id number of fathers of the animals", "program will not run without id of fathers",
       "Please add a column with \"id_father\" in header"},
      {"Geen kolom gevonden met het id nummer van vaders de dieren",
       "programma kan niet draaien zonder id nummer van de vaders", "AUB kolom toevoegen met \"id_vader\" op de 1ste regel"}};
  static const stop_lines dam = {
      {"No column found with id number of mothers of the animals", "program will not run without id of mothers",
       "Please add a column with \"id_mother\" in header"},
      {"Geen kolom gevonden met het id nummer van moeders de dieren",
       "programma kan niet draaien zonder id nummer van de moeders",
       "AUB kolom toevoegen met \"id_moeder\" op de 1ste regel"}};
  static const stop_lines sex = {
      {"No column found with sex of animals", "program will not run without sex of animals",
       "Please add a column with \"sex\" in header"},
      {"Geen kolom gevonden met de sekse van de dieren", "programma kan niet draaien zonder sekse van de dieren",
       "AUB kolom toevoegen met \"sekse\" op de 1ste regel"}};
  static const stop_lines birth = {
      {"No column found with birthdate number of animals", "program will not run without birthdate of animals",
       "Please add a column with \"birthdate\" in header"},
      {"Geen kolom gevonden met de geboortedata van de dieren", "programma kan niet draaien zonder geboortedata",
       "AUB kolom toevoegen met \"Geboortedatum\" op de 1ste regel"}};
  switch (kind) {
    case kind_id: return id;
    case kind_sire_id: return sire;
    case kind_dam_id: return dam;
    case kind_sex: return sex;
    default: return birth;
  }
}

bool* column_switch(settings& cfg, int kind) {
  switch (kind) {
    case kind_name: return &cfg.has_name_column;
    case kind_sire_name: return &cfg.has_sire_name_column;
    case kind_dam_name: return &cfg.has_dam_name_column;
    case kind_colour: return &cfg.has_colour_column;
    case kind_breeder: return &cfg.has_breeder_column;
    case kind_subpop: return &cfg.has_subpop_column;
    case kind_import: return &cfg.has_import_column;
    default: return nullptr;
  }
}

}  // namespace

const std::array<fixed_text<16>, n_header_keywords> header_keywords = make_keywords();
const std::array<int, n_header_keywords + 1> header_keyword_kinds = make_keyword_kinds();

bool data_file_has_header_line(const settings& cfg) {
  return std::all_of(cfg.column_kind.begin(), cfg.column_kind.end(), [](int k) { return k == 0; });
}

int lookup_name16(std::span<const fixed_text<16>> keys, std::span<const int> values, const fixed_text<16>& name) {
  assert(values.size() == keys.size() + 1);
  for (std::size_t j = 0; j < keys.size(); ++j)
    if (keys[j] == name) return values[j];
  return values[keys.size()];
}

void recognise_header(run_context& ctx, std::string_view header) {
  settings& cfg = ctx.cfg;
  const bool en = cfg.english;
  cfg.column_kind.fill(0);
  const std::size_t len = header.size();
  const std::size_t full = std::max(len, min_line_length);
  const char delimiter = cfg.delimiter;
  auto find_delimiter = [&](std::size_t p) -> std::size_t {  // zero-based; `full` when none
    if (p < len) {
      const void* q = std::memchr(header.data() + p, delimiter, len - p);
      if (q != nullptr) return static_cast<std::size_t>(static_cast<const char*>(q) - header.data());
      p = len;
    }
    return delimiter == ' ' && p < full ? p : full;
  };

  // Positions are one-based here, as the end tests ("600 or more") count them.
  std::size_t p = 1;
  int c = 1;
  while (true) {
    const std::size_t q = find_delimiter(p - 1) + 1;  // one-based; full + 1 when none
    std::string_view field = "";  // never a null view: its bytes are copied
    std::size_t step;
    if (q == p) {  // an empty field
      if (cfg.merge_delimiters) {
        ++p;
        if (p >= full) break;
        continue;
      }
      if (en) {
        write_free_line(ctx.console, {" No name found for column ", c});
        write_free_line(ctx.console, {" check if correct, i.e. if consecutive delimiters should be treated as "
                                      "indicating empty field"});
        write_free_line(ctx.console, {" Column ", c, " will be skipped"});
      } else {
        write_free_line(ctx.console, {" Geen naam gevonden voor kolom ", c});
        write_free_line(ctx.console, {" Ga na of dit klopt: misschien moeten opeenvolgende scheidingstekens niet "
                                      "als een leeg veld worden gezien"});
        write_free_line(ctx.console, {" Kolom ", c, " zal worden overgeslagen"});
      }
      step = 1;
    } else {
      const std::size_t end = std::min(q - 1, len);  // the real characters of the field
      if (p - 1 < end) field = header.substr(p - 1, end - (p - 1));
      step = (q == full + 1 ? full - p + 1 : q - p) + 1;
    }
    std::size_t lead = 0;
    while (lead < field.size() && field[lead] == ' ') ++lead;
    const fixed_text<16> name = make_text<16>(field.substr(lead));
    const int kind = lookup_name16(header_keywords, header_keyword_kinds, name);
    cfg.column_kind[c - 1] = kind;
    if (kind != 0) {
      write_free_line(ctx.console, {en ? " Name found for column " : " Naam gevonden voor kolom ", c, name});
    } else if (en) {
      write_free_line(ctx.console, {" Name ", name, " found for column ", c, " not recognised"});
      write_free_line(ctx.console, {" check if correct"});
      write_free_line(ctx.console, {" Column ", c, " will be skipped"});
    } else {
      write_free_line(ctx.console, {" Naam ", name, " boven kolom ", c, " niet herkend"});
      write_free_line(ctx.console, {" Ga na of dit klopt"});
      write_free_line(ctx.console, {" Kolom ", c, " zal worden overgeslagen"});
    }
    p += step;
    if (p >= full || c == max_columns) break;
    ++c;
  }
}

void assign_columns(run_context& ctx, input_file& data) {
  settings& cfg = ctx.cfg;
  const bool en = cfg.english;
  if (data_file_has_header_line(cfg)) {
    std::string header;
    if (!read_input_line(data, header)) {
      if (data.failed) fail_diagnostic(ctx, "read failed", data.label, data.file_name, data.line_number + 1);
      fail_diagnostic(ctx, "end of file where the header line was expected", data.label, data.file_name, 1);
    }
    recognise_header(ctx, header);
    cfg.has_header = true;
  }

  for (int kind = kind_id; kind <= kind_import; ++kind) {
    int column = 0;  // the lowest column with the kind
    for (int c = max_columns; c >= 1; --c)
      if (cfg.column_kind[c - 1] == kind) column = c;
    bool* has = column_switch(cfg, kind);
    if (column == 0) {
      if (has != nullptr) {
        *has = false;
        continue;
      }
      const stop_lines& lines = missing_column_lines(kind);
      for (const char* line : en ? lines.english : lines.dutch) write_free_line(ctx.console, {line});
      end_run(ctx, exit_stopped);
    }
    if (has != nullptr) *has = true;
    const announcement& a = announcements[kind];
    write_free_line(ctx.console, {en ? "Column number " : "Kolom nummer ", column, en ? a.english : a.dutch});
    if (kind == kind_subpop) {
      if (en) {
        write_free_line(ctx.console, {"parameters will be estimated for the whole population and for each "
                                      "subpopulation seperately if more than 1"});
        write_free_line(ctx.console, {"  only subpopulations with names provided in input will be analysed"});
      } else {
        write_free_line(ctx.console, {"parameters zullen voor de totale populatie worden geschat, en voor elke "
                                      "subpopulatie apart als er meer dan 1 is"});
        write_free_line(ctx.console, {"  alleen subpopulaties waarvan de naam in de invoer is gegeven zullen "
                                      "worden geanalyseerd"});
      }
    } else if (kind == kind_import) {
      write_free_line(ctx.console, {en ? "if text in the column animal is regarded as being outside the population"
                                       : "Als tekst in de kolom dan wordt het dier buiten de populatie beschouwd"});
    }
  }
}

}  // namespace veldmarsh
