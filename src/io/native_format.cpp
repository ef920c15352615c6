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

// The native document, little-endian, records packed without padding:
//
//   header                        568 bytes
//   atoms       N, N x 346-byte atom record
//   bonds       M, M x 23-byte bond record
//   structures  S, S x structure record
//   rings       R (always written 0), R x structure record, discarded
//   symbols     Y, Y x (u32 type code, structure record)
//   coordinates N x (x, y, z as real48)
//   a reserved byte, the draw mode (u8)
//   values      S, S x 126-byte structure value record
//   the drawing's bond length (u16)
//   numbers     N, N x (u16 atom number, f64 equilibrated charge)
//   NMR shift display flag (u8), structure label flag (u8)
//   colours     C (u8), C x (u8 atomic number, u32 colour)
//   stereo marks, only when some atom or bond holds one: "STMK", N, N x u8
//                 atom mark, M, M x u8 bond mark (0 as drawn, 1 stated,
//                 2 unstated)
//
// Atoms and bonds are referred to by their 0-based position in the lists
// as written. Documents older than version 107 end after the symbols.
//
// Header: u16 version at 0, u8 layout at 2, u16 bond length in pixels at
// 3, title, author and notes as NUL-terminated 96-byte fields at 56, 152
// and 248; everything else is zero.
//
// Structure record: a 53-byte head (u16 type, u8 ring size, the
// structure's six record bytes at 3..6, 47 and 48, its record word at 15,
// the selection flag twice at 31 and 35, the frame as four i16 at 39, the
// atom and bond counts at 49 and 51), then the atom count again and the
// atom indices, then the bond count again and the bond indices.
//
// Wide layout. Every count and index above is 16 bits wide, so a drawing
// with more than 65535 atoms, bonds, structures or symbols cannot be
// written in that form. Such drawings are written with 2 instead of 1 in
// the layout byte of the header, and then every count N, M, S, R, Y, every
// count and index of a structure record (the head becomes 57 bytes, its
// counts at 49 and 53), the atom indices of bond records (records of 27
// bytes: u32 indices at 18 and 22, `chemical` at 26), the count of value
// records and the count of number records are u32. Everything else is the
// same. A reader takes a layout byte of 2 as wide and any other as classic,
// so older documents, which hold 1 there, keep being read.

namespace molvane {

namespace {

using namespace detail;

constexpr std::size_t headersize = detail::nativeheadersize;
constexpr std::size_t headerreserved = 51;
constexpr std::size_t commentfield = 96;
constexpr std::size_t headertail = 224;
constexpr std::size_t atomrecordsize = detail::nativeatomrecordsize;
constexpr std::size_t atomsymbolfield = 256;
constexpr std::size_t widebondrecordsize = 27;
constexpr std::size_t bondindexoffset = 18;
constexpr std::size_t coordinaterecordsize = 3 * real48size;
constexpr std::size_t valuerecordsize = detail::nativevaluerecordsize;
constexpr std::size_t numberrecordsize = 10;
constexpr std::size_t colourrecordsize = 5;
constexpr std::size_t classichead = 53;
constexpr std::size_t widehead = 57;

/// Opens the block of stereo marks after the colours.
constexpr std::array<char, 4> stereomarktag{'S', 'T', 'M', 'K'};

constexpr std::uint8_t classiclayout = 1;
constexpr std::uint8_t widelayout = 2;
constexpr std::uint32_t classiclimit = 0xFFFF;
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

std::int16_t clamp16(long long value) {
  return static_cast<std::int16_t>(
      std::clamp<long long>(value, std::numeric_limits<std::int16_t>::min(),
                            std::numeric_limits<std::int16_t>::max()));
}

// ---------------------------------------------------------------- writing

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
    out_.writeu8(wide_ ? widelayout : classiclayout);
    out_.writeu16(geometry.bondlength);
    out_.writezeros(headerreserved);
    out_.writefixedtext(drawing_.title(), commentfield);
    out_.writefixedtext(drawing_.author(), commentfield);
    out_.writefixedtext(drawing_.notes(), commentfield);
    out_.writezeros(headertail);

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
      return static_cast<std::uint32_t>(count) > classiclimit;
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
      return wide_ ? std::numeric_limits<std::uint32_t>::max() : classiclimit;
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
    out_.writeshortstring(atom.symbol, atomsymbolfield);
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
    out_.writebytes(std::span(bytes).first(bondindexoffset));
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
  void writemarks() {
    auto marked = [](const auto* item) {
      return item->stereomark != tstereomark::asdrawn;
    };
    if (std::none_of(drawing_.atoms.begin(), drawing_.atoms.end(), marked) &&
        std::none_of(drawing_.bonds.begin(), drawing_.bonds.end(), marked)) {
      return;
    }
    for (char c : stereomarktag) {
      out_.writeu8(static_cast<std::uint8_t>(c));
    }
    writecount(drawing_.atoms.count());
    for (const tatm* atom : drawing_.atoms) {
      out_.writeu8(static_cast<std::uint8_t>(atom->stereomark));
    }
    writecount(drawing_.bonds.count());
    for (const tbond* bond : drawing_.bonds) {
      out_.writeu8(static_cast<std::uint8_t>(bond->stereomark));
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

// ---------------------------------------------------------------- reading

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
    wide_ = in_.readu8() == widelayout;
    const std::uint16_t headerbond = in_.readu16();
    in_.skip(headerreserved);
    drawing_->fileversion = version;
    drawing_->settitle(in_.readfixedtext(commentfield));
    drawing_->setauthor(in_.readfixedtext(commentfield));
    drawing_->setnotes(in_.readfixedtext(commentfield));
    in_.skip(headertail);

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
        if (!readmarks() && trailing) {
          sound_.take(false);  // bytes after the end that hold no marks
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
                           : classiclimit);
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
      std::copy_n(bytes.begin(), bondindexoffset, classic.begin());
      classic.back() = bytes.back();
      bondrecord record = bondrecord::frombytes(classic);
      const std::uint8_t* indices = bytes.data() + bondindexoffset;
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
    if (in_.failed() || in_.remaining() < stereomarktag.size()) {
      return false;
    }
    const auto tag = in_.readbytes(stereomarktag.size());
    if (!std::equal(stereomarktag.begin(), stereomarktag.end(), tag.begin())) {
      return false;
    }
    auto readlist = [this](std::uint32_t expected) {
      const std::uint32_t count = readcount();
      std::vector<std::uint8_t> marks;
      if (in_.failed() || count != expected || in_.remaining() < count) {
        return marks;
      }
      const auto bytes = in_.readbytes(count);
      marks.assign(bytes.begin(), bytes.end());
      return marks;
    };
    const std::vector<std::uint8_t> atommarks =
        readlist(static_cast<std::uint32_t>(atoms_.size()));
    const std::vector<std::uint8_t> bondmarks =
        readlist(static_cast<std::uint32_t>(bonds_.size()));
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

std::vector<std::uint8_t> writenative(const tdrawing& drawing) {
  return tnativewriter(drawing).write();
}

}  // namespace molvane
