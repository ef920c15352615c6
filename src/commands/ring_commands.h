// SPDX-FileCopyrightText: 2026 Molvane 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace molvane {

struct tcommandcontext;

class tBenzene;
class tRing;
class tStructure;

/// Puckers a ring in place by one of the three shaping forms, each a few
/// turns of ring atoms about axes through their ring neighbours, so every
/// bond keeps its length. Ring atoms are taken from the structure's slots
/// 1 .. ringsize. Form 2 is the boat (six atoms) and a folded eight-ring,
/// form 1 the chair and crown shapes (six, seven, nine and ten atoms),
/// form 3 the envelope (five atoms), a twist (six atoms) and form 1 for
/// seven to ten atoms. Sizes a form does not shape stay flat.
void shapering(tStructure& ring, int form);

/// Ring/Add: a regular ring of n (3 .. 10) carbons centred on the click,
/// its first atom straight above the centre; puckered in 3D building.
tRing* addring(tcommandcontext& context, double x, double y, int n);

/// Ring/Add "6 Boat" and "6 Chair": in 3D building a six-ring puckered and
/// turned to the usual side view of the conformation; a flat six-ring
/// otherwise, since turning a flat ring edge-on would stack its atoms.
tRing* addconformer(tcommandcontext& context, double x, double y, bool chair);

/// Ring/Fuse: a ring of n atoms sharing the chemical bond nearest to the
/// click, on the side away from the bond's other neighbours. "No Bonds To
/// Fuse" when the drawing has no chemical bond.
tRing* fusering(tcommandcontext& context, double x, double y, int n);

/// Benzene/Fuse: a benzene ring sharing the nearest bond; "No Bonds to
/// Fuse" when the drawing has no chemical bond.
tBenzene* fusebenzene(tcommandcontext& context, double x, double y);

/// Benzene/Add: a benzene ring centred on the click.
tBenzene* addbenzene(tcommandcontext& context, double x, double y);

/// Ring/Branch: a ring of n atoms hanging from the nearest atom by a single
/// bond. "No atoms to link" on an empty drawing.
tRing* branchring(tcommandcontext& context, double x, double y, int n);

/// Benzene/Branch: a phenyl ring hanging from the nearest atom.
tBenzene* branchphenyl(tcommandcontext& context, double x, double y);

/// Ring/Join: a ring of n atoms through the nearest atom, its centre in the
/// click direction snapped to 30 degrees. "No Atoms" on an empty drawing.
tRing* joinring(tcommandcontext& context, double x, double y, int n);

/// Chain/Branch "<Me2": a three-ring joined at the nearest atom, opened at
/// its second bond, which leaves two carbons on the anchor.
tRing* joindimethyl(tcommandcontext& context, double x, double y);

}  // namespace molvane
