#include "genre_lists.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/tags/genres.h"
#include "qt_text.h"

void FillGenreList(QComboBox* list) {
  std::vector<std::pair<QString, int>> entries;
  for (int number = 0; number < velmora::kOfferedGenreCount; ++number) {
    const std::string_view name = velmora::OfferListName(number);
    if (name.empty()) break;
    entries.emplace_back(ToQString(std::string(name)), number);
  }
  // A sorted list of the desktop orders its entries without regard to case.
  std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
    return QString::compare(a.first, b.first, Qt::CaseInsensitive) < 0;
  });
  list->clear();
  for (const auto& [name, number] : entries)
    list->addItem(name, number);
  list->setCurrentIndex(list->findData(velmora::kSpeechGenre));
}

velmora::GenreSelection SelectedGenre(const QComboBox* list) {
  const QString text = list->currentText();
  const int index = list->findText(text, Qt::MatchFixedString);
  if (index >= 0) return {list->itemData(index).toInt(), {}};
  return {std::nullopt, FromQString(text)};
}
