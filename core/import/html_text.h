#pragma once
// A web page's HTML as the text a browser shows: what a block element, a line break or a table
// cell starts goes on a line or into a gap of its own, the other tags vanish, entities are
// decoded. UTF-8 in and out, as WebText keeps a web text.
#include <string>
#include <string_view>

namespace velmora {

// Lines end in "\n"; blanks within a line are collapsed to one and no line starts or ends with
// one; an empty line stands for one or more paragraph breaks. Script and style elements and
// comments are dropped; a non-breaking space is a blank. A character an entity names is written
// as it is spelled.
std::string HtmlToText(std::string_view html);

// True when the text holds markup that HtmlToText would read (a tag such as "<br", "<p",
// "<div", "<td" or "<b").
bool LooksLikeHtml(std::string_view text);

} // namespace velmora
