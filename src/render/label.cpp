// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/label.h"

#include <algorithm>

namespace molvane {

namespace {

bool issign(const std::string& c) { return c == "+" || c == "-"; }

bool isdigit09(const std::string& c) {
  return c.size() == 1 && c[0] >= '0' && c[0] <= '9';
}

bool isdigit19(const std::string& c) {
  return c.size() == 1 && c[0] >= '1' && c[0] <= '9';
}

/// A digit after a charge sign: a lone 1 is left out (a charge of one shows
/// as the sign alone), any other digit is raised with the sign.
tcharacterclass digitaftersign(const std::string& digit) {
  return digit == "1" ? tcharacterclass::skipped : tcharacterclass::superscript;
}

/// Layouts 0 and 1 read the text as written: a digit looks back at the
/// character before it.
tcharacterclass forwardclass(const std::vector<std::string>& characters,
                             std::size_t i) {
  const std::string& c = characters[i];
  if (issign(c)) {
    const bool nextdigit =
        i + 1 < characters.size() && isdigit19(characters[i + 1]);
    return nextdigit ? tcharacterclass::superscript : tcharacterclass::normal;
  }
  if (!isdigit09(c) || i == 0) {
    return tcharacterclass::normal;
  }
  const std::string& previous = characters[i - 1];
  if (previous == " " || previous == "(" || previous == "," ||
      isdigit09(previous)) {
    return tcharacterclass::normal;
  }
  if (issign(previous)) {
    return digitaftersign(c);
  }
  return tcharacterclass::subscript;
}

/// Layouts 2 and 3 hold the text reversed, so every rule looks the other
/// way and a label reads the same in all four layouts.
tcharacterclass reversedclass(const std::vector<std::string>& characters,
                              std::size_t i) {
  const std::string& c = characters[i];
  if (issign(c)) {
    const bool previousdigit = i > 0 && isdigit19(characters[i - 1]);
    return previousdigit ? tcharacterclass::superscript
                         : tcharacterclass::normal;
  }
  if (!isdigit09(c)) {
    return tcharacterclass::normal;
  }
  if (i + 1 == characters.size()) {
    return tcharacterclass::subscript;
  }
  const std::string& next = characters[i + 1];
  if (next == " " || next == "(" || next == "," || isdigit09(next)) {
    return tcharacterclass::normal;
  }
  if (issign(next)) {
    return digitaftersign(c);
  }
  return tcharacterclass::subscript;
}

std::string joined(const std::vector<std::string>& characters,
                   std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    text += characters[i];
  }
  return text;
}

}  // namespace

std::vector<std::string> labelcharacters(std::string_view text) {
  std::vector<std::string> characters;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    if (lead >= 0xF0) {
      length = 4;
    } else if (lead >= 0xE0) {
      length = 3;
    } else if (lead >= 0xC0) {
      length = 2;
    }
    // A sequence cut short or with a stray byte inside is taken one byte at
    // a time.
    if (i + length > text.size()) {
      length = 1;
    }
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
        length = 1;
        break;
      }
    }
    characters.emplace_back(text.substr(i, length));
    i += length;
  }
  return characters;
}

tLabel::tLabel(tcanvas& target, int newdirection, int newalign,
               tcolour newcolour, std::string_view newtext)
    : colour(newcolour),
      direction(static_cast<std::int8_t>(newdirection < 0 ? -1 : 1)),
      align(static_cast<std::int8_t>(newalign == 2 ? 2 : 0)),
      canvas(target) {
  std::vector<std::string> characters = labelcharacters(newtext);
  characters.resize(std::min(characters.size(), maxcharacters));
  text = joined(characters, characters.size());
  charheight = canvas.textheight("8");
}

void tLabel::reversetext() {
  std::vector<std::string> characters = labelcharacters(text);
  std::reverse(characters.begin(), characters.end());
  text = joined(characters, characters.size());
}

std::vector<tlabelcharacter> tLabel::place(int x, int y) {
  const bool reversed = align == 2;
  layout =
      static_cast<std::uint8_t>((reversed ? 2 : 0) + (direction < 0 ? 1 : 0));
  std::vector<std::string> characters = labelcharacters(text);
  if (reversed) {
    std::reverse(characters.begin(), characters.end());
  }
  std::vector<tlabelcharacter> placed;
  if (characters.empty()) {
    return placed;
  }
  placed.reserve(characters.size());
  // The first character is centred on the atom point.
  const int firsthalf = canvas.textwidth(characters[0]) / 2;
  const int centring = direction < 0 ? -firsthalf : firsthalf;
  for (std::size_t i = 0; i < characters.size(); ++i) {
    tlabelcharacter character;
    character.text = characters[i];
    character.width = canvas.textwidth(characters[i]);
    const int advance = i == 0 ? 0 : canvas.textwidth(joined(characters, i));
    character.x = x - centring + direction * advance;
    character.placement =
        reversed ? reversedclass(characters, i) : forwardclass(characters, i);
    switch (character.placement) {
      case tcharacterclass::superscript:
        character.top = y - charheight;
        break;
      case tcharacterclass::subscript:
        character.top = y - charheight / 6;
        break;
      default:
        character.top = y - charheight / 2;
        break;
    }
    placed.push_back(std::move(character));
  }
  return placed;
}

void tLabel::draw(int x, int y) {
  if (text.empty()) {
    return;
  }
  std::vector<tlabelcharacter> characters = place(x, y);
  const ttextformat previous = canvas.textformat();
  const tcolour previouscolour = canvas.fontcolour();
  canvas.settextalign(
      direction < 0 ? thorizontalalign::right : thorizontalalign::left,
      tverticalalign::top);
  canvas.setfontcolour(colour);
  for (const tlabelcharacter& character : characters) {
    if (character.placement != tcharacterclass::skipped) {
      canvas.textout(character.x, character.top, character.text);
    }
  }
  canvas.settextalign(previous.horizontal, previous.vertical);
  canvas.setfontcolour(previouscolour);
}

}  // namespace molvane
