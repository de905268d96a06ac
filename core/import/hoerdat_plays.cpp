#include "core/import/hoerdat_plays.h"

#include <array>

#include "core/import/html_text.h"
#include "core/text/encoding.h"
#include "core/text/string_helpers.h"

namespace velmora {
namespace {

enum class Label {
  None, // outside a value: the header, or after the links at a play's end
  Broadcast,
  AlsoTitled,
  Production,
  Synopsis,
  List,    // one entry a line, joined with ", " into the field the label names
  Ignored, // a known label whose value the form has no place for
};

using PageField = std::optional<std::string> HoerdatPageFields::*;

struct KnownLabel {
  std::string_view text;
  Label label;
  PageField field = nullptr; // the field of a List label
};

constexpr std::string_view kBroadcastLabel = "Sendetermine:";
constexpr KnownLabel kBroadcast{kBroadcastLabel, Label::Broadcast};

constexpr std::array<KnownLabel, 20> kLabels = {{
    kBroadcast,
    {"Autor(en):", Label::List, &HoerdatPageFields::author},
    {"Autor:", Label::List, &HoerdatPageFields::author},
    {"Auch unter dem Titel:", Label::AlsoTitled},
    {"Produktion:", Label::Production},
    {"Genre(s):", Label::List, &HoerdatPageFields::genre},
    {"Genre:", Label::List, &HoerdatPageFields::genre},
    {"Regie:", Label::List, &HoerdatPageFields::director},
    {"Bearbeitung:", Label::List, &HoerdatPageFields::adaptation},
    {"Inhaltsangabe:", Label::Synopsis},
    {"Mitwirkende:", Label::List, &HoerdatPageFields::cast},
    {"Komponist(en):", Label::Ignored},
    {"Ton und Technik:", Label::Ignored},
    {"Vorlage:", Label::Ignored},
    {"Übersetzung:", Label::Ignored},
    {"Dramaturgie:", Label::Ignored},
    {"Redaktion:", Label::Ignored},
    {"Musik:", Label::Ignored},
    {"Serie:", Label::Ignored},
    {"Anmerkung:", Label::Ignored},
}};

constexpr std::array<std::string_view, 4> kEndings = {"Links:", "Mailformular", "Druckausgabe",
                                                      "Expertenkommentar:"};

std::optional<KnownLabel> LabelOf(std::string_view line) {
  for (const KnownLabel& known : kLabels)
    if (line.starts_with(known.text)) return known;
  return std::nullopt;
}

bool IsEnding(std::string_view line) {
  for (std::string_view ending : kEndings)
    if (line.starts_with(ending)) return true;
  return false;
}

// The lines of the text, each trimmed, tabs and non-breaking spaces as blanks.
std::vector<std::string> LinesOf(std::string_view text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0;;) {
    std::size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n')
      ++end;
    std::string line(text.substr(start, end - start));
    for (char& c : line)
      if (c == '\t') c = ' ';
    TrimText(line);
    lines.push_back(std::move(line));
    if (end == text.size()) return lines;
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
}

std::string Joined(const std::vector<std::string>& lines, std::string_view separator) {
  std::string joined;
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    if (!joined.empty()) joined += separator;
    joined += line;
  }
  return joined;
}

// Lines joined as the paragraph reads; an empty line between paragraphs becomes CR LF.
std::string Paragraphs(const std::vector<std::string>& lines) {
  std::string text;
  bool breakPending = false;
  for (const std::string& line : lines) {
    if (line.empty()) {
      breakPending = !text.empty();
      continue;
    }
    if (!text.empty()) text += breakPending ? "\r\n" : " ";
    text += line;
    breakPending = false;
  }
  return text;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// "STATION YEAR, LENGTH Min. (…) - KIND"; the station may hold blanks and "/", the length
// "ca.", the kind may be missing or empty.
void ReadProduction(const std::string& value, HoerdatPageFields& fields) {
  const auto comma = value.find(',');
  std::string head = value.substr(0, comma);
  std::string tail = comma == std::string::npos ? std::string() : value.substr(comma + 1);
  if (comma == std::string::npos) {
    if (const auto dash = head.find(" - "); dash != std::string::npos) {
      tail = head.substr(dash);
      head.erase(dash);
    }
  }
  TrimText(head);
  std::size_t digits = head.size();
  while (digits > 0 && IsDigit(head[digits - 1]))
    --digits;
  PageProduction production;
  if (digits < head.size() && (digits == 0 || head[digits - 1] == ' ')) {
    production.year = head.substr(digits);
    head.erase(digits);
    TrimText(head);
  }
  production.station = head;
  production.copyright = production.year.empty() ? head : head + " " + production.year;
  fields.production = production;

  if (const auto minutes = tail.find("Min"); minutes != std::string::npos) {
    std::string length = tail.substr(0, minutes);
    TrimText(length);
    if (!length.empty()) fields.length = length + " min.";
  }
  if (const auto dash = tail.find(" - "); dash != std::string::npos) {
    std::string kind = tail.substr(dash + 3);
    TrimText(kind);
    fields.kind = kind;
  } else if (tail.ends_with(" -") || tail == "-") {
    fields.kind = std::string();
  }
}

// "Glocke, Die" reads "Die Glocke", also before a part in brackets: "Glocke, Die (1. Teil)".
std::string TitleWithArticleInFront(std::string title) {
  std::string part;
  if (title.ends_with(')')) {
    if (const auto open = title.rfind(" ("); open != std::string::npos) {
      part = title.substr(open);
      title.erase(open);
    }
  }
  MoveArticleToFront(title);
  return title + part;
}

class PlayReader {
public:
  std::vector<HoerdatPlay> Read(std::string_view text) {
    for (std::string& line : LinesOf(text))
      Take(std::move(line));
    Finish();
    return std::move(plays_);
  }

private:
  void Take(std::string line) {
    if (line.starts_with(kBroadcastLabel)) {
      // Further broadcasts of the same play.
      if (!plays_.empty() && label_.label == Label::Broadcast) return;
      StartPlay();
      Begin(kBroadcast, ValueAfter(line, kBroadcastLabel));
      return;
    }
    if (!line.empty()) lastLine_ = line;
    if (plays_.empty()) return; // the header belongs to no play
    if (const auto known = LabelOf(line)) {
      Finish();
      Begin(*known, ValueAfter(line, known->text));
    } else if (IsEnding(line)) {
      Finish();
    } else if (label_.label != Label::None) {
      lines_.push_back(std::move(line));
    }
  }

  static std::string ValueAfter(const std::string& line, std::string_view label) {
    std::string value = line.substr(label.size());
    TrimText(value);
    return value;
  }

  // The title is the last line before the broadcast line: the last line of the value being read,
  // or the last line seen.
  void StartPlay() {
    std::string title = lastLine_;
    if (label_.label != Label::None) {
      while (!lines_.empty() && lines_.back().empty())
        lines_.pop_back();
      if (!lines_.empty()) {
        title = lines_.back();
        lines_.pop_back();
      }
    }
    Finish();
    HoerdatPlay& play = plays_.emplace_back();
    play.fields.title = TitleWithArticleInFront(title);
    lastLine_.clear();
  }

  void Begin(const KnownLabel& label, std::string firstLine) {
    label_ = label;
    lines_.clear();
    lines_.push_back(std::move(firstLine));
  }

  void Finish() {
    if (!plays_.empty()) {
      HoerdatPlay& play = plays_.back();
      switch (label_.label) {
      case Label::Broadcast:
        play.broadcast = Joined(lines_, " ");
        break;
      case Label::AlsoTitled:
        play.secondTitle = Joined(lines_, " ");
        break;
      case Label::Production:
        ReadProduction(Joined(lines_, " "), play.fields);
        break;
      case Label::Synopsis:
        play.fields.synopsis = Paragraphs(lines_);
        break;
      case Label::List:
        play.fields.*label_.field = Joined(lines_, ", ");
        break;
      case Label::None:
      case Label::Ignored:
        break;
      }
    }
    label_ = {};
    lines_.clear();
  }

  std::vector<HoerdatPlay> plays_;
  KnownLabel label_{{}, Label::None}; // the label whose value is being read
  std::vector<std::string> lines_;    // the value being read, one entry a line
  std::string lastLine_;              // the last line with text outside a value
};

} // namespace

std::vector<HoerdatPlay> ReadHoerdatPlays(std::string_view text) {
  // Non-breaking and other spaces are blanks from here on.
  return PlayReader().Read(WebText(text));
}

std::vector<HoerdatPlay> ReadClipboardPlays(std::string_view text,
                                            const std::optional<std::string>& html) {
  std::vector<HoerdatPlay> plays = ReadHoerdatPlays(text);
  if (plays.empty() && html) plays = ReadHoerdatPlays(HtmlToText(*html));
  if (plays.empty() && LooksLikeHtml(text)) plays = ReadHoerdatPlays(HtmlToText(text));
  return plays;
}

} // namespace velmora
