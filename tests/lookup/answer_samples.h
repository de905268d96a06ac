#pragma once
// Hördat answers built field by field for the lookup tests.
#include <string>

namespace velmora::test {

struct SampleRecord {
  std::string titel1 = "Garten, Der", autor = "Berger, Anna", produktion = "RBX", jahr = "1998",
              laenge = "54", hspTyp = "Krimi", genre = "Thriller", regie = "Hans Bauer",
              bearbeitung, inhaltsangabe = "Erster Satz.<br />Zweiter Satz.",
              mitwirkende = "Anna Berger";
};

// One record in the answer's marker format, with every marker.
inline std::string RecordText(const SampleRecord& r) {
  return "$titel1$" + r.titel1 + "$titel2$ $autor$" + r.autor + "$produktion$" + r.produktion +
         "$jahr$" + r.jahr + "$laenge$" + r.laenge + "$hsp-typ$" + r.hspTyp + "$genre$" + r.genre +
         "$regie$" + r.regie + "$bearbeitung$" + r.bearbeitung + "$komposition$ $inhaltsangabe$" +
         r.inhaltsangabe + "$mitwirkende$" + r.mitwirkende + "$end$\r\n";
}

// count records whose titles are "Titel 0", "Titel 1", … and whose authors "Autor0, A", ….
inline std::string NumberedRecords(int count) {
  std::string answer;
  for (int i = 0; i < count; ++i) {
    SampleRecord r;
    r.titel1 = "Titel " + std::to_string(i);
    r.autor = "Autor" + std::to_string(i) + ", A";
    r.jahr = std::to_string(1990 + i);
    answer += RecordText(r);
  }
  return answer;
}

} // namespace velmora::test
