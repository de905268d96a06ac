#include "pages.h"

#include "core/text/encoding.h"
#include "core/text/string_helpers.h"

namespace hoerdat_standin {
namespace {

// A Windows-1252 text as HTML text in UTF-8; CR LF become line breaks.
std::string Html(const std::string& cp1252) {
  std::string html;
  for (const char c : velmora::Cp1252ToUtf8(cp1252)) {
    switch (c) {
    case '&':
      html += "&amp;";
      break;
    case '<':
      html += "&lt;";
      break;
    case '>':
      html += "&gt;";
      break;
    case '\r':
      break;
    case '\n':
      html += "<br>";
      break;
    default:
      html += c;
    }
  }
  return html;
}

// "Berger, Anna" as the pages write a name: "Anna Berger".
std::string FirstNameFirst(const std::string& name) {
  const auto comma = name.find(", ");
  if (comma == std::string::npos) return name;
  return name.substr(comma + 2) + " " + name.substr(0, comma);
}

std::string Row(const char* label, const std::string& valueHtml) {
  return "<tr><td><b>" + std::string(label) + "</b></td><td>" + valueHtml + "</td></tr>\n";
}

std::string PlayBlock(const PlayRecord& play) {
  std::string block = "<h2>" + Html(play.titel1) + "</h2>\n<table>\n";
  block += Row("Sendetermine:", Html(play.produktion) + " - Sonntag, 2. Jun 2019 20:05");
  block += Row("Autor(en):", Html(FirstNameFirst(play.autor)));
  if (!play.titel2.empty()) block += Row("Auch unter dem Titel:", Html(play.titel2));
  std::string production = Html(play.produktion) + " " + Html(play.jahr);
  if (!play.laenge.empty()) production += ", " + Html(play.laenge) + " Min. (Stereo)";
  production += " - " + Html(play.hspTyp);
  block += Row("Produktion:", production);
  if (!play.genre.empty()) block += Row("Genre(s):", Html(play.genre));
  if (!play.regie.empty()) block += Row("Regie:", Html(play.regie));
  if (!play.bearbeitung.empty()) block += Row("Bearbeitung:", Html(play.bearbeitung));
  block += "</table>\n";
  if (!play.inhaltsangabe.empty()) {
    // The answers mark the paragraphs of the synopsis with "<br />"; the page makes them
    // paragraphs.
    std::string synopsis = Html(play.inhaltsangabe);
    velmora::ReplaceAll(synopsis, "&lt;br /&gt;", "</p><p>");
    block += "<p><b>Inhaltsangabe:</b> " + synopsis + "</p>\n";
  }
  if (!play.mitwirkende.empty())
    block += "<p><b>Mitwirkende:</b><br>" + Html(play.mitwirkende) + "</p>\n";
  return block + "<div>Links: <a href=\"#\">Mailformular f&uuml;r Erg&auml;nzungen zu diesem "
                 "Titel</a></div>\n";
}

std::string Page(const std::string& body) {
  return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>H\xc3\xb6rdat "
         "(Ersatzdienst)</title></head>\n<body>\n<div>Startseite | Suche | Neuigkeiten</div>\n" +
         body + "</body></html>\n";
}

} // namespace

std::string PlayPage(const PlayRecord& play) {
  return Page(PlayBlock(play));
}

std::string DayPage(const std::vector<PlayRecord>& plays) {
  std::string body = "<p>Sortierung: Sendedatum<br>Sendezeitraum: 02.06.2019 - 02.06.2019</p>\n";
  for (const PlayRecord& play : plays)
    body += PlayBlock(play);
  return Page(body);
}

} // namespace hoerdat_standin
