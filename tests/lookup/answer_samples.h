#pragma once
// Hördat answers built field by field for the lookup tests.
#include <string>

namespace velmora::test {

struct SampleRecord {
  std::string titel1 = "Garten, Der", autor = "Berger, Anna", produktion = "RBX", jahr = "1998",
              laenge = "54", hspTyp = "Krimi", genre = "Thriller", regie = "Hans Bauer",
              bearbeitung = "", inhaltsangabe = "Erster Satz.<br />Zweiter Satz.",
              mitwirkende = "Anna Berger";
};

inline std::string RecordText(const SampleRecord& r) {
  return "$titel1$" + r.titel1 + "$titel2$ $autor$" + r.autor + "$produktion$" + r.produktion +
         "$jahr$" + r.jahr + "$laenge$" + r.laenge + "$hsp-typ$" + r.hspTyp + "$genre$" + r.genre +
         "$regie$" + r.regie + "$bearbeitung$" + r.bearbeitung + "$komposition$ $inhaltsangabe$" +
         r.inhaltsangabe + "$mitwirkende$" + r.mitwirkende + "$end$\r\n";
}

} // namespace velmora::test
