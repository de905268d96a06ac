#pragma once
// The two genre drop-down lists: editable, in alphabetical order, each entry carrying its genre
// number as item data.
#include <QComboBox>

#include "core/model/tag_form.h"

// Fills the list with the offer list's names 0 to 125 and selects "Speech".
void FillGenreList(QComboBox* list);

// The number of the entry whose name the edit field shows, or the typed text when it names none.
velmora::GenreSelection SelectedGenre(const QComboBox* list);
