#include "core/form/form_values.h"

#include "core/text/encoding.h"

namespace velmora {

void CopyV2IntoV1(TagForm& form, const WindowMembers& members) {
  form.v1Track = form.v2Track;
  form.v1Title = form.v2Title;
  form.v1Year = form.v2Year;
  form.v1Artist = members.recAutor;
  form.v1Comment = members.recGenre;
  form.v1Album = members.recProduktion;
  if (members.settings.wafranyoflMode != 0) {
    form.v1Comment = std::string(FirstCharacters(form.v2Comment, 30));
    form.v1Album = form.v2Album;
  }
}

void ClearId3v1Fields(TagForm& form) {
  form.v1Title.clear();
  form.v1Year.clear();
  form.v1Artist.clear();
  form.v1Comment.clear();
  form.v1Album.clear();
}

void ClearRecordFields(TagForm& form, WindowMembers& members) {
  members.recTitel1.clear();
  form.v2Title.clear();
  members.recAutor.clear();
  form.v2Artist.clear();
  form.v2Album.clear();
  form.v2Year.clear();
  form.v2Comment.clear();
  form.v2Composer.clear();
  form.v2OrigArtist.clear();
  form.v2Copyright.clear();
  members.recProduktion.clear();
}

} // namespace velmora
