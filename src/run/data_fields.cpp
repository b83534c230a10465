// Splitting data lines and parsing their fields.
//
// A line is handled as if padded with blanks to 600 characters (or to its own
// length when longer), so that a blank delimiter also separates the padding:
// the virtual blanks are never copied, a field that reaches into them is just
// its real characters, which every kind reads as it reads the padded text.
#include "run/data_fields.h"

#include <algorithm>
#include <cstring>

#include "common/free_format.h"

namespace veldmarsh {

namespace {

constexpr std::int32_t days_in_month[13] = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The field's length without its trailing blanks.
std::size_t trimmed_length(std::string_view field) {
  std::size_t n = field.size();
  while (n > 0 && field[n - 1] == ' ') --n;
  return n;
}

// Characters from..to-1 of `field`, counted from 0; positions beyond the
// field are blanks, which read as nothing.
std::string_view part_of(std::string_view field, std::size_t from, std::size_t to) {
  if (from >= field.size() || to <= from) return {};
  return field.substr(from, std::min(to, field.size()) - from);
}

// The two warning lines of a field longer than its place.
void write_length_warning(run_context& ctx, int kind, std::int64_t record_nr) {
  const bool en = ctx.cfg.english;
  const char* what = nullptr;
  const char* larger = nullptr;
  const char* ignored = nullptr;
  switch (kind) {
    case kind_id:
      what = en ? "Warning: length of id_number of animal " : "Waarschuwing: lengte van id_nummer van dier ";
      break;
    case kind_sire_id:
      what = en ? "Warning: length of id of father " : "Waarschuwing: lengte van id_nummer van vader ";
      break;
    case kind_dam_id:
      what = en ? "Warning: length of id of mother " : "Waarschuwing: lengte van id_nummer van moeder ";
      break;
    case kind_name:
      what = en ? "Warning: length of name of animal " : "Waarschuwing: lengte van naam van dier ";
      break;
    case kind_colour:
      what = en ? "Warning: length of colour of animal " : "Waarschuwing: lengte van kleur van dier ";
      break;
    case kind_breeder:
      what = en ? "Warning: length of breeders name of animal " : "Waarschuwing: lengte van fokker van dier ";
      break;
    default:
      what = en ? "Warning: length of subpopulation/variety of animal "
                : "Waarschuwing: lengte van subpopulatie/var\xEB" "teit van dier ";
      break;
  }
  switch (kind) {
    case kind_colour:
      larger = en ? " larger than 40" : " is langer dan 40";
      ignored = en ? "characters after position 40 are ignored" : "tekens na positie 40 worden genegeerd";
      break;
    case kind_breeder:
    case kind_subpop:
      larger = en ? " larger than 20" : " is langer dan 20";
      ignored = en ? "characters after position 20 are ignored" : "tekens na positie 20 worden genegeerd";
      break;
    default:
      larger = en ? " larger than 50" : " is langer dan 50";
      ignored = en ? "characters after position 50 are ignored" : "tekens na positie 50 worden genegeerd";
      break;
  }
  write_free_line(ctx.console, {what, static_cast<long long>(record_nr), larger});
  write_free_line(ctx.console, {ignored});
}

// Stores a text field into its field of the record, cut to the field's
// width with a warning.
template <text_field F>
void store_text(run_context& ctx, animal_texts& texts, text_ref<F>& to, std::string_view field, std::size_t length,
                int kind, std::int64_t record_nr) {
  if (length > text_width<F>) write_length_warning(ctx, kind, record_nr);
  // Identifications and names are many: stored without a look-up, merged
  // once the file is read.
  if constexpr (F == text_field::identification || F == text_field::name)
    add_text(texts, to, field);
  else
    set_text(texts, to, field);
}

// A parent's identification: "0" for an empty field, "unknown" or "Unknown".
void store_parent(run_context& ctx, animal_texts& texts, identification_ref& to, std::string_view field,
                  std::size_t length, int kind, std::int64_t record_nr) {
  if (length > 50) {
    store_text(ctx, texts, to, field, length, kind, record_nr);
    return;
  }
  std::string_view t = field.substr(0, length);
  if (length == 0 || t == "unknown" || t == "Unknown")
    to = unknown_parent;
  else
    add_text(texts, to, field);
}

void check_subpop_code(run_context& ctx, const data_line_layout& layout, const animal_texts& texts,
                       const animal_record& record) {
  const fixed_text<20> code = text_of(texts, record.subpop_code);
  if (layout.subpop_codes.count(code.view()) != 0 || is_blank(code)) return;
  write_free_line(ctx.console, {"ERROR: "});
  if (ctx.cfg.english) {
    write_free_line(ctx.console, {"animal: ", text_of(texts, record.name), " no.: ", text_of(texts, record.herdbook_nr)});
    write_free_line(ctx.console, {"of unknown subpopulation: ", code});
  } else {
    write_free_line(ctx.console, {"dier: ", text_of(texts, record.name), " nr: ", text_of(texts, record.herdbook_nr)});
    write_free_line(ctx.console, {"Van een onbekende subpopulatie: ", code});
  }
}

}  // namespace

data_line_layout make_data_line_layout(const settings& cfg) {
  data_line_layout layout;
  layout.column_kind = cfg.column_kind;
  for (int c = 0; c < max_columns; ++c)
    if (cfg.column_kind[c] != 0) layout.last_column = c + 1;
  layout.delimiter = cfg.delimiter;
  layout.merge_delimiters = cfg.merge_delimiters;
  layout.date_format_flags = cfg.date_format_flags;
  layout.male_codes[0] = cfg.male_codes.c[0];
  layout.male_codes[1] = cfg.male_codes.c[1];
  for (const auto& code : cfg.subpop_codes) layout.subpop_codes.insert(code.view());
  return layout;
}

bool read_date_part(std::string_view part, std::int32_t& value) {
  std::size_t p = 0;
  const std::size_t n = part.size();
  while (p < n && part[p] == ' ') ++p;
  if (p == n) {  // empty or blank
    value = 0;
    return true;
  }
  const bool negative = part[p] == '-';
  if (part[p] == '+' || part[p] == '-') ++p;
  std::int64_t v = 0;
  const std::size_t first_digit = p;
  for (; p < n && is_digit(part[p]); ++p) {
    v = v * 10 + (part[p] - '0');
    if (v > 2147483648LL) return false;
  }
  const bool has_digits = p > first_digit;
  while (p < n && part[p] == ' ') ++p;
  if (!has_digits || p != n) return false;
  if (negative) v = -v;
  if (v > 2147483647LL) return false;
  value = static_cast<std::int32_t>(v);
  return true;
}

bool parse_birth_date(std::string_view field, const std::array<bool, 3>& flags, birth_date& date,
                      std::string_view* unreadable_part) {
  bool any_digit = false;
  for (char c : field)
    if (is_digit(c)) {
      any_digit = true;
      break;
    }
  if (!any_digit) {
    date = birth_date{0, 1, 1};
    return true;
  }
  const bool separated = flags[0], year_first = flags[1], day_first = flags[2];
  std::string_view first, middle, last;
  if (separated) {
    // Parts around the first and the last character that is not a digit.
    const std::size_t length = trimmed_length(field);
    std::size_t i1 = length, i2 = length;
    for (std::size_t i = 0; i < length; ++i)
      if (!is_digit(field[i])) {
        if (i1 == length) i1 = i;
        i2 = i;
      }
    if (i1 == length) {
      first = field;  // no separator: the whole field is the first part
    } else {
      first = field.substr(0, i1);
      if (i2 > i1) middle = field.substr(i1 + 1, i2 - i1 - 1);
      last = field.substr(i2 + 1);
    }
  } else if (year_first) {
    first = part_of(field, 0, 4);
    middle = part_of(field, 4, 6);
    last = part_of(field, 6, 8);
  } else {
    first = part_of(field, 0, 2);
    middle = part_of(field, 2, 4);
    last = part_of(field, 4, 8);
  }
  std::int32_t values[3] = {0, 0, 0};
  const std::string_view parts[3] = {first, middle, last};
  for (int k = 0; k < 3; ++k)
    if (!read_date_part(parts[k], values[k])) {
      if (unreadable_part != nullptr) *unreadable_part = parts[k];
      return false;
    }
  const std::int32_t a = values[0], b = values[1], c = values[2];

  std::int32_t year, month, day;
  if (year_first) {
    year = a;
    if (day_first) {
      day = b;
      month = c;
    } else {
      month = b;
      day = c;
    }
  } else if (day_first) {
    day = a;
    month = b;
    year = c;
  } else {
    month = a;
    day = b;
    year = c;
  }
  if (month < 1 || month > 12) month = 1;
  if (day > days_in_month[month]) day = 1;
  date = birth_date{year, month, day};
  return true;
}

field_status parse_field(run_context& ctx, const data_line_layout& layout, std::int64_t record_nr,
                         std::string_view field, int kind, animal_texts& texts, animal_record& record,
                         unreadable_date* unreadable) {
  const std::size_t length = trimmed_length(field);
  switch (kind) {
    case kind_id:
      store_text(ctx, texts, record.herdbook_nr, field, length, kind, record_nr);
      break;
    case kind_sire_id:
      store_parent(ctx, texts, record.sire_id, field, length, kind, record_nr);
      break;
    case kind_dam_id:
      store_parent(ctx, texts, record.dam_id, field, length, kind, record_nr);
      break;
    case kind_name:
      store_text(ctx, texts, record.name, field, length, kind, record_nr);
      break;
    case kind_sex:  // an empty field is female, also when the male letter is a blank
      record.sex = !field.empty() && (field[0] == layout.male_codes[0] || field[0] == layout.male_codes[1]) ? 1 : 2;
      break;
    case kind_birth_date: {
      birth_date date;
      std::string_view part;
      if (!parse_birth_date(field, layout.date_format_flags, date, &part)) {
        if (unreadable != nullptr) *unreadable = {std::string(part), std::string(field)};
        return field_status::date_part_not_a_number;
      }
      record.birth_year = date.year;
      record.birth_month = date.month;
      record.birth_day = date.day;
      break;
    }
    case kind_colour:
      store_text(ctx, texts, record.colour, field, length, kind, record_nr);
      break;
    case kind_breeder:
      store_text(ctx, texts, record.breeder, field, length, kind, record_nr);
      break;
    case kind_subpop:
      store_text(ctx, texts, record.subpop_code, field, length, kind, record_nr);
      check_subpop_code(ctx, layout, texts, record);
      break;
    case kind_import: {
      bool mark = false;
      for (std::size_t i = 0; i < field.size() && i < 20; ++i)
        if (field[i] != ' ') mark = true;
      record.is_import = mark;
      break;
    }
    default:  // names of parents, and kinds above 12 from the steering file, are not stored
      break;
  }
  return field_status::ok;
}

field_status split_data_line(run_context& ctx, const data_line_layout& layout, std::string_view line,
                             std::int64_t record_nr, animal_texts& texts, animal_record& record,
                             unreadable_date* unreadable) {
  const std::size_t len = line.size();
  const std::size_t full = std::max(len, min_line_length);  // the padded length
  const char delimiter = layout.delimiter;
  // Where the next delimiter at or after p stands; `full` when none does.
  auto find_delimiter = [&](std::size_t p) -> std::size_t {
    if (p < len) {
      const void* q = std::memchr(line.data() + p, delimiter, len - p);
      if (q != nullptr) return static_cast<std::size_t>(static_cast<const char*>(q) - line.data());
      p = len;
    }
    return delimiter == ' ' && p < full ? p : full;  // the padding is blanks
  };

  std::size_t p = 0;  // zero-based position of the next field
  int c = 0;          // zero-based column
  while (c < layout.last_column) {
    const int kind = layout.column_kind[c];
    if (p >= full) {  // beyond the line: an empty field
      if (kind != 0 && parse_field(ctx, layout, record_nr, "", kind, texts, record, unreadable) != field_status::ok)
        return field_status::date_part_not_a_number;
      ++c;
      continue;
    }
    const std::size_t q = find_delimiter(p);
    if (q == p) {  // an empty field
      if (layout.merge_delimiters) {
        // A run of delimiters counts as one; a run of padding blanks ends the line.
        p = p >= len ? full : p + 1;
        continue;
      }
      if (kind != 0 && parse_field(ctx, layout, record_nr, "", kind, texts, record, unreadable) != field_status::ok)
        return field_status::date_part_not_a_number;
      ++p;
      ++c;
      continue;
    }
    if (kind != 0) {
      std::string_view field = p < len ? line.substr(p, std::min(q, len) - p) : std::string_view("");
      if (parse_field(ctx, layout, record_nr, field, kind, texts, record, unreadable) != field_status::ok)
        return field_status::date_part_not_a_number;
    }
    p = q + 1;
    ++c;
  }
  return field_status::ok;
}

}  // namespace veldmarsh
