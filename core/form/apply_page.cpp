#include "core/form/apply_page.h"

namespace velmora {

void ApplyHoerdatPage(const HoerdatPageFields& page, TagForm& form, WindowMembers& members) {
  if (page.author) members.recAutor = *page.author;
  if (page.title) form.v2Title = *page.title;
  if (page.synopsis) {
    form.v2Comment = *page.synopsis;
    members.recInhaltsangabe = *page.synopsis;
  }
  if (page.cast) {
    members.recMitwirkende = *page.cast;
    form.v2OrigArtist = members.settings.prefixOrigArtist + " " + *page.cast;
  }
  if (page.director) {
    members.recRegie = *page.director;
    form.v2Composer = members.settings.prefixKomponist + " " + *page.director;
  }
  if (page.length) members.recLaenge = *page.length;
  if (page.production) {
    form.v2Copyright = page.production->copyright;
    form.v2Year = page.production->year;
    members.recProduktion = page.production->station;
  }
  if (page.genre) members.recGenre = *page.genre;
  if (page.adaptation) members.recBearbeitung = *page.adaptation;
  if (page.kind) members.recHspTyp = *page.kind;
}

} // namespace velmora
