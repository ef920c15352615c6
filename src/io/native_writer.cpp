// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/drawing.h"
#include "document/settings.h"
#include "document/symbol.h"
#include "io/native_format.h"
#include "io/native_records.h"
#include "model/atom.h"
#include "model/bond.h"
#include "model/element_data.h"
#include "model/font.h"
#include "support/byte_cursor.h"
#include "support/little_endian.h"
#include "support/real48.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace molvane {

namespace {

using namespace detail;

std::int16_t clamp16(long long value) {
  return static_cast<std::int16_t>(
      std::clamp<long long>(value, std::numeric_limits<std::int16_t>::min(),
                            std::numeric_limits<std::int16_t>::max()));
}

class tnativewriter {
 public:
  explicit tnativewriter(const tdrawing& drawing) : drawing_(drawing) {}

  std::vector<std::uint8_t> write() {
    const tgeometrysettings& geometry = drawing_.geometry();
    // The file keeps draw modes below 100.
    const auto drawmode = static_cast<std::uint8_t>(drawing_.drawmode % 100);
    wide_ = needswide();

    // The version of the layout written here, whatever version a defaults
    // file claims: an older number would tell readers to skip the
    // coordinates that follow.
    out_.writeu16(defaultsettings().version);
    out_.writeu8(wide_ ? nativewidelayout : nativeclassiclayout);
    out_.writeu16(geometry.bondlength);
    out_.writezeros(nativeheaderreserved);
    out_.writefixedtext(drawing_.title(), nativecommentfield);
    out_.writefixedtext(drawing_.author(), nativecommentfield);
    out_.writefixedtext(drawing_.notes(), nativecommentfield);
    out_.writezeros(nativeheadertail);

    writecount(drawing_.atoms.count());
    for (const tatm* atom : drawing_.atoms) {
      writeatom(*atom);
    }
    writecount(drawing_.bonds.count());
    for (const tbond* bond : drawing_.bonds) {
      writebond(*bond);
    }
    writecount(drawing_.structures.count());
    for (const tStructure* structure : drawing_.structures) {
      writestructure(*structure);
    }
    writecount(0);  // reserved rings
    writecount(drawing_.symbols.count());
    for (const tSymbol* symbol : drawing_.symbols) {
      out_.writeu32(static_cast<std::uint32_t>(symbol->fragtype));
      writestructure(*symbol);
    }

    for (const tatm* atom : drawing_.atoms) {
      out_.writereal48(atom->x);
      out_.writereal48(atom->y);
      out_.writereal48(atom->z);
    }
    out_.writeu8(0);
    out_.writeu8(drawmode);
    writecount(drawing_.structures.count());
    for (const tStructure* structure : drawing_.structures) {
      writevalues(*structure);
    }
    out_.writeu16(drawing_.bondlength);
    writecount(drawing_.atoms.count());
    for (const tatm* atom : drawing_.atoms) {
      out_.writeu16(atom->number);
      writedouble(out_, atom->eqcharge);
    }
    out_.writeu8(drawing_.shownmrshifts ? 1 : 0);
    out_.writeu8(drawing_.showstructurelabels ? 1 : 0);
    writecolours();
    writemarks();
    return out_.takebytes();
  }

 private:
  bool needswide() const {
    const auto over = [](int count) {
      return static_cast<std::uint32_t>(count) > nativeclassiclimit;
    };
    const auto overstructure = [&over](const tStructure* structure) {
      return over(structure->atoms.count()) || over(structure->bonds.count());
    };
    return over(drawing_.atoms.count()) || over(drawing_.bonds.count()) ||
           over(drawing_.structures.count()) ||
           over(drawing_.symbols.count()) ||
           std::any_of(drawing_.structures.begin(), drawing_.structures.end(),
                       overstructure) ||
           std::any_of(drawing_.symbols.begin(), drawing_.symbols.end(),
                       overstructure);
  }

  void writecount(std::size_t count) {
    if (wide_) {
      out_.writeu32(static_cast<std::uint32_t>(count));
    } else {
      out_.writeu16(static_cast<std::uint16_t>(count));
    }
  }

  /// The position of atom in the drawing; for an end the drawing does not
  /// hold, an index past every list, which readers drop.
  std::uint32_t atomindex(const tatm* atom) const {
    const int position = drawing_.positionof(atom);
    if (position < 0) {
      return wide_ ? std::numeric_limits<std::uint32_t>::max()
                   : nativeclassiclimit;
    }
    return static_cast<std::uint32_t>(position);
  }

  void writeatom(const tatm& atom) {
    const std::int16_t sx = clamp16(roundhalfeven(atom.x));
    const std::int16_t sy = clamp16(roundhalfeven(atom.y));
    const std::int16_t z = clamp16(roundhalfeven(atom.z));
    out_.writeu16(atom.number);
    out_.writeu8(atom.kind);
    out_.writei16(sx);
    out_.writei16(sy);
    out_.writei16(sx);
    out_.writei16(sy);
    out_.writei16(z);
    out_.writei16(z);
    out_.writebytes(drawing_.getfontrecord(atom.fontindex).tobytes());
    out_.writeu16(0);
    out_.writeshortstring(atom.symbol, nativesymbolfield);
    out_.writei8(atom.direction);
    out_.writeu32(atom.colour);
    out_.writeu32(atom.colour);
    out_.writei8(atom.hfree);
    out_.writei8(atom.valence2);
    out_.writei8(atom.fcharge);
    out_.writei8(atom.element);
    // An isotope keeps its own mass; older builds wrote the element's.
    out_.writereal48(atom.mass);
    out_.writeu8(atom.labelmode);
    out_.writeu8(0);
    out_.writeu16(atom.align);
  }

  void writebond(const tbond& bond) {
    bondrecord record = bond.writerecord();
    const std::uint32_t first = atomindex(bond.atom1);
    const std::uint32_t second = atomindex(bond.atom2);
    if (!wide_) {
      record.atom1 = static_cast<std::uint16_t>(first);
      record.atom2 = static_cast<std::uint16_t>(second);
      out_.writebytes(record.tobytes());
      return;
    }
    const auto bytes = record.tobytes();
    out_.writebytes(std::span(bytes).first(nativebondindexoffset));
    out_.writeu32(first);
    out_.writeu32(second);
    out_.writeu8(record.chemical);
  }

  void writestructure(const tStructure& structure) {
    atomindices_.clear();
    for (const tatm* atom : structure.atoms) {
      if (const int position = drawing_.positionof(atom); position >= 0) {
        atomindices_.push_back(static_cast<std::uint32_t>(position));
      }
    }
    bondindices_.clear();
    for (const tbond* bond : structure.bonds) {
      if (const int position = drawing_.bondposition(bond); position >= 0) {
        bondindices_.push_back(static_cast<std::uint32_t>(position));
      }
    }
    const tStructure::trecordbytes bytes = structure.recordbytes();
    out_.writeu16(static_cast<std::uint16_t>(
        static_cast<std::uint32_t>(structure.fragtype) & 0xFFFFU));
    out_.writeu8(structure.ringsize);
    for (std::size_t i = 0; i < 4; ++i) {
      out_.writeu8(bytes[i]);
    }
    out_.writezeros(8);
    out_.writeu32(structure.recordword());
    out_.writezeros(12);
    out_.writeu32(structure.selected);
    out_.writeu32(structure.selected);
    for (const std::int32_t side : structure.frame) {
      out_.writei16(clamp16(side));
    }
    out_.writeu8(bytes[4]);
    out_.writeu8(bytes[5]);
    writecount(atomindices_.size());
    writecount(bondindices_.size());
    writeindices(atomindices_);
    writeindices(bondindices_);
  }

  void writeindices(const std::vector<std::uint32_t>& indices) {
    writecount(indices.size());
    for (const std::uint32_t index : indices) {
      writecount(index);
    }
  }

  //   0 reserved   8 amount   16..56 values 0-5   64..96 values 6-10
  // 104 value 7 again   112 zero   120 phase   121 flag   122 zero
  void writevalues(const tStructure& structure) {
    const auto& values = structure.thermovalues;
    out_.writezeros(8);
    writedouble(out_, structure.amount);
    for (const double value : values) {
      writedouble(out_, value);
    }
    writedouble(out_, values[7]);
    out_.writezeros(8);
    out_.writeu8(structure.phase);
    out_.writeu8(structure.thermoflag);
    out_.writeu32(0);
  }

  /// Readers before the marks stop after the colours, so the block costs
  /// them nothing; drawings without marks end as they always did.
  /// The stated nuclides follow the marks, which are then written even
  /// where every one is as drawn: readers before the nuclides stop after
  /// the marks. Only a nuclide of the element's usual mass needs them;
  /// any other mass says itself that it is an isotope.
  void writemarks() {
    auto marked = [](const auto* item) {
      return item->stereomark != tstereomark::asdrawn;
    };
    const bool nuclides = std::any_of(
        drawing_.atoms.begin(), drawing_.atoms.end(), [](const tatm* atom) {
          return atom->statednuclide &&
                 !isotopicmass(atom->element, atom->mass);
        });
    if (!nuclides &&
        std::none_of(drawing_.atoms.begin(), drawing_.atoms.end(), marked) &&
        std::none_of(drawing_.bonds.begin(), drawing_.bonds.end(), marked)) {
      return;
    }
    writetag(nativestereomarktag);
    writecount(drawing_.atoms.count());
    for (const tatm* atom : drawing_.atoms) {
      out_.writeu8(static_cast<std::uint8_t>(atom->stereomark));
    }
    writecount(drawing_.bonds.count());
    for (const tbond* bond : drawing_.bonds) {
      out_.writeu8(static_cast<std::uint8_t>(bond->stereomark));
    }
    if (nuclides) {
      writetag(nativenuclidetag);
      writecount(drawing_.atoms.count());
      for (const tatm* atom : drawing_.atoms) {
        out_.writeu8(atom->statednuclide ? 1 : 0);
      }
    }
  }

  void writetag(const std::array<char, 4>& tag) {
    for (char c : tag) {
      out_.writeu8(static_cast<std::uint8_t>(c));
    }
  }

  void writecolours() {
    std::vector<int> changed;
    for (int e = 1; e <= lastelement; ++e) {
      if (drawing_.elementcolours[static_cast<std::size_t>(e)] != colourof(e)) {
        changed.push_back(e);
      }
    }
    out_.writeu8(static_cast<std::uint8_t>(changed.size()));
    for (const int e : changed) {
      out_.writeu8(static_cast<std::uint8_t>(e));
      out_.writeu32(drawing_.elementcolours[static_cast<std::size_t>(e)]);
    }
  }

  const tdrawing& drawing_;
  tbytewriter out_;
  bool wide_ = false;
  std::vector<std::uint32_t> atomindices_;
  std::vector<std::uint32_t> bondindices_;
};

}  // namespace

std::vector<std::uint8_t> writenative(const tdrawing& drawing) {
  return tnativewriter(drawing).write();
}

}  // namespace molvane
