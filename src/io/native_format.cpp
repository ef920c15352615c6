// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/native_format.h"

#include "document/drawing.h"
#include "document/settings.h"
#include "document/symbol.h"
#include "io/native_records.h"
#include "model/atom.h"
#include "model/bond.h"
#include "model/element_data.h"
#include "model/font.h"
#include "support/byte_cursor.h"
#include "support/little_endian.h"
#include "support/real48.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <unordered_map>
#include <utility>

namespace molvane {

namespace {

using namespace detail;

constexpr std::size_t headersize = nativeheadersize;
constexpr std::size_t atomrecordsize = nativeatomrecordsize;
constexpr std::size_t widebondrecordsize = 27;
constexpr std::size_t coordinaterecordsize = 3 * real48size;
constexpr std::size_t valuerecordsize = nativevaluerecordsize;
constexpr std::size_t numberrecordsize = 10;
constexpr std::size_t colourrecordsize = 5;
constexpr std::size_t classichead = 53;
constexpr std::size_t widehead = 57;

constexpr std::uint16_t lastversionwithoutcoordinates = 106;

/// Atoms refer to their font by a byte.
constexpr int fontlimit = 256;
/// Colours of this value and above (as signed words) read as black.
constexpr std::int32_t brightestcolour = 0xFFFFFF;
/// Header bond lengths strictly between these are trusted for rescaling.
constexpr int shortestheaderbond = 15;
constexpr int longestheaderbond = 33;
constexpr double shortestmeanbond = 0.01;

constexpr const char* endoffile = "End of File";

/// The symbol classes a document can hold: straight, double-headed and
/// equilibrium arrows, the triangle, arcs, arc arrows and curved arrows.
constexpr std::array<std::uint32_t, 8> symboltypes = {102, 103, 104, 105,
                                                      106, 108, 109, 110};
/// A symbol class of old releases: its records are read past.
constexpr std::uint32_t retiredsymbol = 107;

bool issymboltype(std::uint32_t code) {
  return std::find(symboltypes.begin(), symboltypes.end(), code) !=
         symboltypes.end();
}

class tnativereader {
 public:
  tnativereader(std::span<const std::uint8_t> bytes, const tsettings& settings)
      : bytes_(bytes), in_(bytes), settings_(settings) {
    ends_.add(nullptr);
    ends_.add(nullptr);
  }

  treadresult read() {
    treadresult result;
    if (in_.remaining() < headersize) {
      result.error = "The document header needs " + std::to_string(headersize) +
                     " bytes; the file has " + std::to_string(in_.remaining());
      return result;
    }
    if (std::string problem = headerproblem(bytes_); !problem.empty()) {
      result.error = std::move(problem);
      return result;
    }
    drawing_ = std::make_unique<tdrawing>(settings_);
    const std::uint16_t version = in_.readu16();
    wide_ = in_.readu8() == nativewidelayout;
    const std::uint16_t headerbond = in_.readu16();
    in_.skip(nativeheaderreserved);
    drawing_->fileversion = version;
    drawing_->settitle(in_.readfixedtext(nativecommentfield));
    drawing_->setauthor(in_.readfixedtext(nativecommentfield));
    drawing_->setnotes(in_.readfixedtext(nativecommentfield));
    in_.skip(nativeheadertail);

    readatoms();
    readbonds();
    readstructures();
    readrings();
    readsymbols();
    if (version > lastversionwithoutcoordinates) {
      readcoordinates();
      static_cast<void>(in_.readu8());
      if (in_.failed()) {
        result.notices.emplace_back(endoffile);
        result.cutshort = true;
      } else {
        readdrawmode();
        readvalues();
        readbondlength();
        result.cutshort = in_.failed();
        // Later parts were added over time: a file may end before any of
        // them, but not inside a list whose count it gives.
        readnumbers();
        readflags();
        readcolours();
        result.cutshort = result.cutshort || brokenlist_;
        const bool trailing = !in_.failed() && in_.remaining() > 0;
        if (!readmarks()) {
          if (trailing) {
            sound_.take(false);  // bytes after the end that hold no marks
          }
        } else {
          readnuclides();
        }
      }
    } else {
      result.cutshort = in_.failed();
    }
    if (!sound_.believable()) {
      result.error =
          "no Molvane document: " + std::to_string(sound_.unsound()) +
          " of its " + std::to_string(sound_.records()) +
          " records hold values the format does not allow";
      return result;
    }
    if (result.cutshort && drawing_->atoms.count() == 0 &&
        drawing_->symbols.count() == 0) {
      result.error =
          "the document is cut short or damaged before its first "
          "atom or symbol";
      return result;
    }

    rescale(headerbond);
    for (tStructure* structure : drawing_->structures) {
      structure->centroid();
    }
    drawing_->bondlength = settings_.bondlength;
    drawing_->saved = true;
    result.drawing = std::move(drawing_);
    return result;
  }

 private:
  std::uint32_t readcount() { return wide_ ? in_.readu32() : in_.readu16(); }
  std::size_t countsize() const { return wide_ ? 4 : 2; }

  /// Marks the file as ended: nothing after this point is read.
  void stop() { in_.skip(std::numeric_limits<std::size_t>::max()); }

  /// Room for count records of size bytes, as far as the file can hold them.
  std::size_t plausible(std::uint32_t count, std::size_t size) const {
    return std::min<std::size_t>(count, in_.remaining() / size);
  }

  /// An atom of the file, or the index writers give an end the drawing
  /// does not hold.
  bool isend(std::uint32_t index) const {
    return index < atomcount_ ||
           index == (wide_ ? std::numeric_limits<std::uint32_t>::max()
                           : nativeclassiclimit);
  }

  tatm* atomat(std::uint32_t index) const {
    return index < atoms_.size() ? atoms_[index] : nullptr;
  }

  void readatoms() {
    const std::uint32_t count = readcount();
    if (in_.failed()) {
      return;
    }
    atomcount_ = count;
    const std::size_t room = plausible(count, atomrecordsize);
    atoms_.reserve(room);
    drawing_->atoms.reserve(static_cast<int>(room));
    for (std::uint32_t i = 0; i < count; ++i) {
      const auto bytes = in_.readbytes(atomrecordsize);
      if (in_.failed()) {
        return;
      }
      tatomrecord record = decodeatom(bytes);
      sound_.take(issoundatom(record));
      std::unique_ptr<tatm> atom = makeatom(std::move(record));
      // Records of unknown kinds keep their index, so that later indices
      // still point at the atoms they were written for.
      atoms_.push_back(atom != nullptr ? drawing_->addatom(std::move(atom))
                                       : nullptr);
    }
  }

  std::unique_ptr<tatm> makeatom(tatomrecord record) {
    // An element the tables do not know becomes an unnamed point.
    int element = record.element;
    if (element < firstelement || element > lastelement) {
      element = 0;
    }
    std::unique_ptr<tatm> atom;
    switch (record.kind) {
      case chemicalatomkind:
        atom = std::make_unique<tatm>(element, nolabel, record.sx, record.sy,
                                      record.z);
        break;
      case labelatomkind:
        atom = std::make_unique<tLAtm>(record.symbol, record.sx, record.sy);
        break;
      case symbolpointkind:
        atom = std::make_unique<tSXY>(record.sx, record.sy);
        break;
      default:
        return nullptr;
    }
    atom->setxyzraw(record.sx, record.sy, record.z);
    atom->commit();
    atom->number = record.number;
    atom->fontindex = fontindexof(record.font);
    atom->align = record.align;
    atom->symbol = std::move(record.symbol);
    atom->direction = static_cast<std::int8_t>(record.direction < 0 ? -1 : 1);
    atom->hfree = record.hfree;
    atom->valence2 = record.valence2;
    atom->fcharge = static_cast<std::int8_t>(
        std::clamp<int>(record.fcharge, -largestcharge, largestcharge));
    atom->qpartial = 0.0F;
    atom->element = static_cast<std::int8_t>(element);
    atom->mass = massof(element);
    if (isotopicmass(element, record.mass)) {
      atom->mass = static_cast<float>(record.mass);
    }
    // White and brighter were never meant as atom colours; they read as
    // black so that the atom stays visible on the white page.
    atom->colour = static_cast<std::int32_t>(record.colour) >= brightestcolour
                       ? 0
                       : record.colour;
    if (record.labelmode <= lastfiguremode || record.labelmode == nonelabel) {
      atom->labelmode = record.labelmode;
    }
    atom->hybridizationfromelement();
    atom->hadjust = 0;
    atom->eqcharge = atom->fcharge;
    atom->fixed = 0;
    atom->nbcount = 0;
    return atom;
  }

  /// The font's index in the drawing's list; an atom refers to it by a
  /// byte, so fonts past the 256th fall back to the default font.
  std::uint8_t fontindexof(const fontrecord& font) {
    const auto bytes = font.tobytes();
    std::string key(bytes.begin(), bytes.end());
    if (const auto found = fonts_.find(key); found != fonts_.end()) {
      return found->second;
    }
    int index = drawing_->fonts.findfont(font);
    if (index < 0 && drawing_->fonts.count() < fontlimit) {
      index = drawing_->fontindexof(font);
    }
    const auto resolved =
        static_cast<std::uint8_t>(index >= 0 && index < fontlimit ? index : 0);
    fonts_.emplace(std::move(key), resolved);
    return resolved;
  }

  void readbonds() {
    const std::uint32_t count = readcount();
    if (in_.failed()) {
      return;
    }
    const std::size_t size =
        wide_ ? widebondrecordsize : bondrecord::recordsize;
    const std::size_t room = plausible(count, size);
    bonds_.reserve(room);
    drawing_->bonds.reserve(static_cast<int>(room));
    for (std::uint32_t i = 0; i < count; ++i) {
      const auto bytes = in_.readbytes(size);
      if (in_.failed()) {
        return;
      }
      std::array<std::uint8_t, bondrecord::recordsize> classic{};
      std::copy_n(bytes.begin(), nativebondindexoffset, classic.begin());
      classic.back() = bytes.back();
      bondrecord record = bondrecord::frombytes(classic);
      const std::uint8_t* indices = bytes.data() + nativebondindexoffset;
      const std::uint32_t first =
          wide_ ? detail::getu32(indices) : detail::getu16(indices);
      const std::uint32_t second =
          wide_ ? detail::getu32(indices + 4) : detail::getu16(indices + 2);
      sound_.take(issoundbondorder(record.order) && record.chemical <= 1 &&
                  isend(first) && isend(second));
      bonds_.push_back(makebond(record, atomat(first), atomat(second)));
    }
  }

  /// A bond whose ends are not both known is dropped.
  tbond* makebond(bondrecord record, tatm* first, tatm* second) {
    if (first == nullptr || second == nullptr) {
      return nullptr;
    }
    const bool delocalised = record.order >= delocalisedflag;
    int kind = record.order % delocalisedflag;
    if (kind > lastbondkind) {
      kind = 0;
      record.hybclass = 0;
    }
    record.order =
        static_cast<std::uint8_t>(kind + (delocalised ? delocalisedflag : 0));
    record.atom1 = 0;
    record.atom2 = 1;
    ends_.setitem(0, first);
    ends_.setitem(1, second);
    // The record's constructor turns the style byte back into the style,
    // negative ones included.
    return drawing_->addbond(std::make_unique<tbond>(record, ends_));
  }

  void readstructures() {
    const std::uint32_t count = readcount();
    for (std::uint32_t i = 0; i < count && !in_.failed(); ++i) {
      auto structure = std::make_unique<tStructure>();
      if (!readstructure(structure.get(), true)) {
        return;
      }
      sound_.take(recordsound_);
      drawing_->mergestructure(std::move(structure));
    }
  }

  void readrings() {
    const std::uint32_t count = readcount();
    for (std::uint32_t i = 0; i < count && !in_.failed(); ++i) {
      if (!readstructure(nullptr, false)) {
        return;
      }
      sound_.take(recordsound_);
    }
  }

  void readsymbols() {
    const std::uint32_t count = readcount();
    for (std::uint32_t i = 0; i < count && !in_.failed(); ++i) {
      const std::uint32_t code = in_.readu32();
      std::unique_ptr<tSymbol> symbol;
      if (issymboltype(code)) {
        symbol = makesymbol(static_cast<int>(code));
      }
      // Records of other types are read past and create nothing.
      if (!readstructure(symbol.get(), false)) {
        return;
      }
      sound_.take(recordsound_ && (symbol != nullptr || code == retiredsymbol));
      if (symbol != nullptr) {
        drawing_->addsymbol(std::move(symbol));
      }
    }
  }

  /// Reads one structure record into target, or past it when target is
  /// null. The type code of the head is taken only when taketype is set
  /// (symbols keep the code of their class). False when the file ends
  /// inside the record.
  bool readstructure(tStructure* target, bool taketype) {
    const auto head = in_.readbytes(wide_ ? widehead : classichead);
    if (in_.failed()) {
      return false;
    }
    tbytecursor record(head);
    const std::uint16_t type = record.readu16();
    const std::uint8_t ringsize = record.readu8();
    tStructure::trecordbytes bytes{};
    for (std::size_t i = 0; i < 4; ++i) {
      bytes[i] = record.readu8();
    }
    record.skip(8);
    const std::uint32_t word = record.readu32();
    record.skip(12);
    const std::uint32_t selected = record.readu32();
    record.skip(4);
    std::array<std::int32_t, 4> frame{};
    for (std::int32_t& side : frame) {
      side = record.readi16();
    }
    bytes[4] = record.readu8();
    bytes[5] = record.readu8();
    const std::uint32_t headatoms = wide_ ? record.readu32() : record.readu16();
    const std::uint32_t headbonds = wide_ ? record.readu32() : record.readu16();
    // The counts of the head are repeated before the index lists; the
    // lists go by their own counts.
    recordsound_ = true;
    if (!readindices(target != nullptr ? &target->atoms : nullptr, atoms_,
                     atomseen_, headatoms) ||
        !readindices(target != nullptr ? &target->bonds : nullptr, bonds_,
                     bondseen_, headbonds)) {
      return false;
    }
    if (target != nullptr) {
      if (taketype) {
        target->fragtype = type;
      }
      target->ringsize = ringsize;
      target->setrecordbytes(bytes);
      target->setrecordword(word);
      target->selected = selected != 0 ? 1 : 0;
      target->frame = frame;
    }
    return true;
  }

  /// Reads a count and that many indices into list (null: read past
  /// them). Indices that point nowhere, and repeats, are dropped; they,
  /// and a count other than the head's, make the record unsound.
  template <class T, class tlist>
  bool readindices(tlist* list, const std::vector<T*>& objects,
                   std::vector<std::uint32_t>& seen, std::uint32_t headcount) {
    const std::uint32_t count = readcount();
    recordsound_ = recordsound_ && count == headcount;
    if (!in_.canhold(count, countsize())) {
      stop();
      return false;
    }
    if (seen.size() != objects.size()) {
      seen.assign(objects.size(), 0);
    }
    ++generation_;
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint32_t index = readcount();
      if (index >= objects.size() || seen[index] == generation_) {
        recordsound_ = false;
        continue;
      }
      if (list == nullptr || objects[index] == nullptr) {
        continue;
      }
      seen[index] = generation_;
      list->add(objects[index]);
    }
    return true;
  }

  void readcoordinates() {
    for (std::uint32_t i = 0; i < atomcount_; ++i) {
      const auto bytes = in_.readbytes(coordinaterecordsize);
      if (in_.failed()) {
        return;
      }
      tbytecursor record(bytes);
      const double x = record.readreal48();
      const double y = record.readreal48();
      const double z = record.readreal48();
      sound_.take(issoundcoordinate(x) && issoundcoordinate(y) &&
                  issoundcoordinate(z));
      if (tatm* atom = atomat(i)) {
        atom->setxyzraw(x, y, z);
        atom->commit();
      }
    }
  }

  void readdrawmode() {
    const std::uint8_t mode = in_.readu8();
    if (!in_.failed()) {
      sound_.take(mode % 100 <= lastdrawmode);
      drawing_->drawmode = mode % 100 > lastdrawmode ? 0 : mode;
    }
  }

  void readvalues() {
    const std::uint32_t count = readcount();
    const auto structures =
        static_cast<std::uint32_t>(std::max(drawing_->structures.count(), 0));
    std::uint32_t read = 0;
    for (; read < count && !in_.failed(); ++read) {
      const auto bytes = in_.readbytes(valuerecordsize);
      if (in_.failed()) {
        break;
      }
      const tvaluerecord values = decodevalues(bytes);
      sound_.take(values.finite());
      if (read >= structures) {
        continue;
      }
      tStructure* structure =
          drawing_->structures.items(static_cast<int>(read));
      if (!values.finite()) {
        structure->resetvalues();
        continue;
      }
      structure->amount = values.amount;
      structure->thermovalues = values.values;
      structure->phase = values.phase;
      structure->thermoflag = values.flag;
    }
    for (std::uint32_t i = read; i < structures; ++i) {
      drawing_->structures.items(static_cast<int>(i))->resetvalues();
    }
  }

  void readbondlength() {
    const std::uint16_t length = in_.readu16();
    if (!in_.failed()) {
      drawing_->bondlength = length;
    }
  }

  void readnumbers() {
    const std::uint32_t count = readcount();
    for (std::uint32_t i = 0; i < count && !in_.failed(); ++i) {
      const auto bytes = in_.readbytes(numberrecordsize);
      if (in_.failed()) {
        brokenlist_ = true;
        return;
      }
      tbytecursor record(bytes);
      const std::uint16_t number = record.readu16();
      const double eqcharge = readdouble(record);
      sound_.take(std::isfinite(eqcharge));
      if (tatm* atom = atomat(i)) {
        atom->number = number;
        if (std::isfinite(eqcharge)) {
          atom->eqcharge = eqcharge;
        }
      }
    }
  }

  void readflags() {
    const std::uint8_t nmr = in_.readu8();
    if (!in_.failed()) {
      drawing_->shownmrshifts = nmr != 0;
    }
    const std::uint8_t labels = in_.readu8();
    if (!in_.failed()) {
      drawing_->showstructurelabels = labels != 0;
    }
  }

  void readcolours() {
    const std::uint8_t count = in_.readu8();
    for (int i = 0; i < count && !in_.failed(); ++i) {
      const auto bytes = in_.readbytes(colourrecordsize);
      if (in_.failed()) {
        brokenlist_ = true;
        return;
      }
      const int element = bytes[0];
      sound_.take(element >= 1 && element <= lastelement);
      if (element >= 1 && element <= lastelement) {
        drawing_->elementcolours[static_cast<std::size_t>(element)] =
            detail::getu32(&bytes[1]);
      }
    }
  }

  /// The stereo marks, when the file holds them whole; a block cut short
  /// or of another size leaves every mark as drawn. True when marks were
  /// read.
  bool readmarks() {
    if (!readtag(nativestereomarktag)) {
      return false;
    }
    const std::vector<std::uint8_t> atommarks = readbytelist(atoms_.size());
    const std::vector<std::uint8_t> bondmarks = readbytelist(bonds_.size());
    if (atommarks.size() != atoms_.size() ||
        bondmarks.size() != bonds_.size()) {
      return false;
    }
    auto markof = [](std::uint8_t value) {
      return value == 1   ? tstereomark::stated
             : value == 2 ? tstereomark::unstated
                          : tstereomark::asdrawn;
    };
    for (std::size_t i = 0; i < atoms_.size(); ++i) {
      if (atoms_[i] != nullptr) {
        atoms_[i]->stereomark = markof(atommarks[i]);
      }
    }
    for (std::size_t i = 0; i < bonds_.size(); ++i) {
      if (bonds_[i] != nullptr) {
        bonds_[i]->stereomark = markof(bondmarks[i]);
      }
    }
    return true;
  }

  /// Which atoms had their nuclide stated, after the marks; a block cut
  /// short or of another size leaves every mass as the records give it.
  void readnuclides() {
    if (!readtag(nativenuclidetag)) {
      return;
    }
    const std::vector<std::uint8_t> stated = readbytelist(atoms_.size());
    for (std::size_t i = 0; i < stated.size(); ++i) {
      if (atoms_[i] != nullptr && stated[i] == 1) {
        atoms_[i]->setmassnumber(roundhalfeven(atoms_[i]->mass));
      }
    }
  }

  bool readtag(const std::array<char, 4>& expected) {
    if (in_.failed() || in_.remaining() < expected.size()) {
      return false;
    }
    const auto tag = in_.readbytes(expected.size());
    return std::equal(expected.begin(), expected.end(), tag.begin());
  }

  /// A count that must be expected, then that many bytes; empty otherwise.
  std::vector<std::uint8_t> readbytelist(std::size_t expected) {
    const std::uint32_t count = readcount();
    std::vector<std::uint8_t> list;
    if (in_.failed() || count != expected || in_.remaining() < count) {
      return list;
    }
    const auto bytes = in_.readbytes(count);
    list.assign(bytes.begin(), bytes.end());
    return list;
  }

  /// Brings the drawing to the current bond length. A trusted header bond
  /// length gives the factor with the bond length the drawing was made
  /// with; otherwise the single carbon-carbon bonds tell the scale.
  void rescale(std::uint16_t headerbond) {
    double factor = 1.0;
    if (headerbond > shortestheaderbond && headerbond < longestheaderbond) {
      factor = static_cast<double>(drawing_->bondlength) / headerbond;
    } else {
      double total = 0.0;
      int count = 0;
      for (const tbond* bond : drawing_->bonds) {
        if (bond->kind() == 2 && bond->atom1->element == 6 &&
            bond->atom2->element == 6) {
          total += bond->length();
          ++count;
        }
      }
      const double mean = count > 0 ? total / count : 0.0;
      if (mean > shortestmeanbond) {
        factor = settings_.bondlength / mean;
      }
    }
    if (factor == 1.0 || !(factor > 0.0) || !std::isfinite(factor)) {
      return;
    }
    drawing_->scale(factor);
    for (tatm* atom : drawing_->atoms) {
      atom->commit();
    }
  }

  std::span<const std::uint8_t> bytes_;
  tbytecursor in_;
  const tsettings& settings_;
  /// Records holding values no writer gives.
  tsoundness sound_;
  /// The structure record just read held only indices into the lists,
  /// each once, as many as its head says.
  bool recordsound_ = true;
  bool wide_ = false;
  std::unique_ptr<tdrawing> drawing_;
  /// Atoms and bonds by their index in the file; null for records that
  /// made none.
  std::vector<tatm*> atoms_;
  std::vector<tbond*> bonds_;
  std::uint32_t atomcount_ = 0;
  /// A list of the later parts ended before the records its count gives.
  bool brokenlist_ = false;
  /// Fonts already resolved, by their record bytes.
  std::unordered_map<std::string, std::uint8_t> fonts_;
  /// The two ends handed to a bond being built.
  tAtoms ends_;
  /// Generation stamps that find repeated indices in a structure record.
  std::vector<std::uint32_t> atomseen_;
  std::vector<std::uint32_t> bondseen_;
  std::uint32_t generation_ = 0;
};

}  // namespace

treadresult readnative(std::span<const std::uint8_t> bytes,
                       const tsettings& settings) {
  return tnativereader(bytes, settings).read();
}

}  // namespace molvane
