#pragma once
// The loaded tag's cover as a thumbnail on the ID3v2 page, with its type, format and size as the
// tooltip.
#include "core/tags/tag_picture.h"

class QLabel;

// Shows picture in label (hidden for nullptr); visible tells whether the ID3v2 page is showing.
void ShowCoverThumbnail(QLabel* label, const velmora::TagPicture* picture, bool visible);
// Whether label holds a cover, so that the page switch may show it.
bool HoldsCover(const QLabel* label);
