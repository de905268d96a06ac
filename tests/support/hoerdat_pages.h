#pragma once
// Pages of today's Hördat layout with invented names: one play as its HTML, and a day listing
// three plays after a header of navigation as a browser shows it. UTF-8 here; the tests take them
// to Windows-1252 as the clipboard does.
#include <string>

namespace velmora::test {

inline const std::string kGlockeHtml =
    R"(<html><head><style>h2 { color: red; }</style><script>var a = "<b>Regie:</b>";</script></head>
<body><div class="nav"><a href="/">Start</a> | <a href="/suche">Suche</a></div>
<!-- Regie: im Kommentar -->
<h2 class="titel">Die Glocke von Arnsfeld</h2>
<table><tr><td><b>Sendetermine:</b></td><td>WDR&nbsp;5 - Sonntag, 2. Jun 2019 07:04 Teil 1/3, (angek&uuml;ndigte L&auml;nge: 54:00)</td></tr>
<tr><td><b>Sendetermine:</b></td><td>WDR 5 - Montag, 3. Jun 2019 07:04 Teil 1/3</td></tr>
<tr><td><b>Autor(en):</b></td><td><a href="/a/1">Marta Quell</a><br>
<a href="/a/2">Bernd Quell</a></td></tr>
<tr><td><b>Auch unter dem Titel:</b></td><td>Der Fund (1.&#160;Teil)</td></tr>
<tr><td><b>Produktion:</b></td><td>RBX 2014, ca. 52 Min. (Stereo) - Originalh&ouml;rspiel dt.</td></tr>
<tr><td><span class="l">Genre(s):</span></td><td>Krimi</td></tr>
<tr><td><b>Regie:</b></td><td>Ida Sommer</td></tr>
<tr><td><b>Bearbeitung:</b></td><td>Ida&#x20;Sommer</td></tr>
<tr><td><b>Komponist(en):</b></td><td>Olaf Hain</td></tr><tr><td>Ton und Technik:</td><td>Uwe Brand</td></tr>
</table>
<p><b>Inhaltsangabe:</b> Ein Dorf, eine Glocke, die nicht l&auml;utet. Als der K&#252;ster
   verschwindet,<br>sucht seine Tochter nach ihm.</p><p>Im Turm findet sie einen Brief.</p>
<p><b>Mitwirkende:</b><br>Erz&auml;hlerin Petra Lind<br/>K&uuml;ster Hans Ober &ndash; &#8222;Gast&#8220;</p>
<div>Links: <a href="/m">Mailformular</a></div><div>Druckausgabe (PDF)</div></body></html>)";

inline const std::string kDayText = R"(Hördat - Die Hörspieldatenbank
Sortierung: Sendedatum
Genre(s): alle

Glocke von Arnsfeld, Die (1. Teil)
Sendetermine: WDR 5 - Sonntag, 2. Jun 2019 07:04 Teil 1/3
Autor(en): Marta Quell
Produktion: RBX 2014, ca. 52 Min. (Stereo) - Originalhörspiel dt.
Regie: Ida Sommer
Inhaltsangabe: Ein Dorf, eine Glocke.
Mitwirkende:
Erzählerin Petra Lind
Links: Mailformular für Ergänzungen zu diesem Titel
Druckausgabe (PDF)

Der Leuchtturm
Sendetermine: NDR Info - Sonntag, 2. Jun 2019 21:05
Autor(en): Jan Ohlsen
Produktion: Radio Bremen 1975, ca. 45 Min. (Mono) - Hörspielbearbeitung
Genre(s): Drama
Inhaltsangabe: Ein Sturm.
Mitwirkende:
Wärter Karl Brandt
Expertenkommentar: lesenswert

Funkstille
Sendetermine: DLF - Sonntag, 2. Jun 2019 22:05
Autor(en): Ute Mai
Produktion: DLF/DLR 2019, 38 Min. -
Regie: Ute Mai
Mitwirkende:
Sprecherin Ute Mai
)";

} // namespace velmora::test
