"""The character codes of the Keystave font and what each one means.

Two kinds of characters live in the font:
- ROLES: the glyphs the stave and note drawing places by rule (heads, rests,
  flags, clefs, dots, key diamonds, marks, fingering, tempo-mark notes). Their
  size and anchor inside the cell are fixed by that drawing code.
- SYMBOLS: the 111 symbols of the Insert Symbol dialog, in the dialog's order.
  They are drawn as annotations; their glyphs sit on the font's baseline like
  text, so they line up with the words that may follow them.

Every code maps to the Unicode code point with the same number (U+0021 to
U+00FC): for the codes in use, Windows-1252 and Latin-1 agree, so drawing code
can write QChar(code).

This table is the single source for the generator and for SYMBOLS.md.
"""

# Font that draws a role glyph: "music" = height -fontsize (em = 1.8 u),
# "large" = height round(-16 u), also used at round(-8 u) for the small rests.
MUSIC = "music"
LARGE = "large"

# (code, font, role, anchor and look)
ROLES = [
    (ord("6"), MUSIC, "filled note head (quarter and shorter)",
     "black oval 4 u wide, 2 u high, tilted; centred on the cell's middle"),
    (ord("7"), MUSIC, "hollow note head (half notes)",
     "same oval with a slanting hollow; centred on the cell's middle"),
    (ord("8"), MUSIC, "whole note head",
     "upright oval with a thick-sided hollow; centred on the cell's middle"),
    (ord("H"), MUSIC, "inner layer of the filled head (\"6\" + 18)",
     "the filled oval shrunk by 0.2 u all round; drawn in the octave colour over \"K\""),
    (ord("I"), MUSIC, "inner layer of the hollow head (\"7\" + 18)",
     "the hollow head's ring inside a 0.14 u outer rim; drawn in colour over \"L\""),
    (ord("J"), MUSIC, "inner layer of the whole head (\"8\" + 18)",
     "the whole head's ring inside a 0.14 u outer rim; drawn in colour over \"M\""),
    (ord("K"), MUSIC, "outer layer of the filled head (\"6\" + 21)",
     "identical to \"6\"; drawn black under \"H\""),
    (ord("L"), MUSIC, "outer layer of the hollow head (\"7\" + 21)",
     "identical to \"7\"; drawn black under \"I\""),
    (ord("M"), MUSIC, "outer layer of the whole head (\"8\" + 21)",
     "identical to \"8\"; drawn black under \"J\""),
    (217, MUSIC, "letter-note head background",
     "upright oval 4.3 u x 4.1 u, drawn in the paper colour to clear the stave"),
    (218, MUSIC, "filled letter-note head",
     "upright oval 4 u x 3.8 u in the pitch colour; the letter goes on top (a letter "
     "2.6 u high stays inside it)"),
    (219, MUSIC, "hollow letter-note head",
     "ring of the same size, 0.42 u thick, drawn in the pitch colour"),
    (ord("@"), MUSIC, "augmentation dot (notes and rests)",
     "dot 0.6 u across at the cell's middle, no left bearing"),
    (ord("N"), MUSIC, "key-signature diamond, black key",
     "filled diamond 1.7 u wide, 1.96 u high, centred on the cell's middle"),
    (ord("O"), MUSIC, "key-signature diamond, white key",
     "open diamond of the same size"),
    (200, MUSIC, "whole-bar rest",
     "block 2.6 u x 1.05 u from 0.8 u below the cell top: with the cell top w/2 below "
     "the whole-bar rest pitch it hangs from the stave line 1 u lower"),
    (ord("P"), MUSIC, "stave-start brace",
     "brace filling the em from the cell top down (the stave's top to bottom line); "
     "OS/2 xAvgCharWidth equals its advance, so a font width of 150 makes it 150 wide"),
    (ord("<"), LARGE, "thirty-second rest",
     "rest on a staff whose middle line is 3.9 u below the cell top, lines 2 u apart"),
    (ord(";"), LARGE, "sixteenth rest", "as \"<\""),
    (ord(":"), LARGE, "eighth rest", "as \"<\""),
    (ord("="), LARGE, "quarter rest", "as \"<\": centred on that middle line"),
    (ord("?"), LARGE, "half rest", "block 2.5 u x 1 u sitting on the middle line"),
    (ord(">"), LARGE, "whole rest (shorter than its bar)",
     "block 2.5 u x 1 u hanging from the line 2 u above the middle line"),
    (ord("B"), LARGE, "single flag, stem up",
     "hangs from the cell's top-left corner, put on the stem's far end at the stem's "
     "centre; the ink starts 0.19 u (half the stem) left of it"),
    (ord("C"), LARGE, "repeated flag, stem up (2 or 3 drawn 2 u apart)",
     "curved wedge anchored like \"B\"; copies 2 u apart nest into each other"),
    (ord("D"), LARGE, "single flag, stem down",
     "rises from the cell's top-left corner (ink above the cell top), which is put w/2 "
     "left of the stem's centre, at its far end"),
    (ord("E"), LARGE, "repeated flag, stem down", "\"C\" mirrored, anchored like \"D\""),
    (ord("F"), LARGE, "upper-stave clef (G clef)",
     "treble clef whose curl circles the G line 11.45 u below the cell top"),
    (ord("G"), LARGE, "lower-stave clef (F clef)",
     "bass clef whose dots flank the F line 3.1 u below the cell top"),
    (ord("."), LARGE, "repeat dot",
     "dot 0.9 u across, centred 0.5625 u below the cell top, centred in its advance"),
    (ord("A"), LARGE, "accent mark",
     "wedge 2.8 u x 1.5 u, arms 0.38 u thick, ink from 0.2 u below the cell top"),
    (248, LARGE, "staccato mark", "dot 0.8 u across, ink from 0.2 u below the cell top"),
    (ord("1"), LARGE, "fingering 1", "digit 2.2 u high, ink from 0.2 u below the cell top"),
    (ord("2"), LARGE, "fingering 2", "as \"1\""),
    (ord("3"), LARGE, "fingering 3", "as \"1\""),
    (ord("4"), LARGE, "fingering 4", "as \"1\""),
    (ord("5"), LARGE, "fingering 5", "as \"1\""),
    (204, LARGE, "sharp before a head (conventional staves)",
     "1 staff space wide; centred 0.911 em (13.67 u of a 15 u em) below the cell top, "
     "which is the pitch of the head when the sign is drawn at (x - 2 u, head top + 12.5 u)"),
    (205, LARGE, "flat before a head (conventional staves)", "as 204"),
    (206, LARGE, "natural before a head (conventional staves)", "as 204"),
]

# Symbol codes in the order the Insert Symbol dialog lists them.
SYMBOL_ORDER = (
    list(range(33, 46)) + [47] + list(range(81, 127)) +
    [196, 197, 199, 201, 209, 214, 220, 225, 224, 226, 228, 227, 229, 231, 233, 232,
     234, 235, 237, 236, 238, 239, 241, 243, 242, 244, 246, 245, 250, 249, 251, 252,
     176, 162, 163, 167, 182, 223, 174, 169, 180, 168, 198, 216, 177, 165, 181, 170,
     193, 203, 191])

# Text symbols: code -> (text, style). Styles name the serif outline sets.
TEXTS = {
    87: ("D.C.", "bolditalic"),
    88: ("D.S.", "bolditalic"),
    89: ("Fine", "bolditalic"),
    90: ("D.C. al Fine", "bolditalic"),
    91: ("D.C. al Coda", "bolditalic"),
    92: ("D.S. al Fine", "bolditalic"),
    93: ("D.S. al Coda", "bolditalic"),
    94: ("To Coda", "bolditalic"),
    97: ("u.c.", "italic"),
    98: ("t.c.", "italic"),
    114: ("loco", "italic"),
    123: ("rit.", "italic"),
    124: ("rall.", "italic"),
    125: ("accel.", "italic"),
    126: ("a tempo", "italic"),
    196: ("rubato", "italic"),
    197: ("poco", "italic"),
    199: ("molto", "italic"),
    201: ("sub.", "italic"),
    209: ("sempre", "italic"),
    214: ("cresc.", "italic"),
    220: ("dim.", "italic"),
    176: ("simile", "italic"),
    162: ("legato", "italic"),
    163: ("dolce", "italic"),
    167: ("espress.", "italic"),
    182: ("cantabile", "italic"),
    223: ("leggiero", "italic"),
    174: ("R.H.", "italic"),
    169: ("L.H.", "italic"),
    168: ("gliss.", "italic"),
    165: ("poco a poco", "italic"),
    181: ("senza Ped.", "italic"),
}

# Dynamics: code -> letters drawn with the dynamic letter forms.
DYNAMICS = {
    33: "ppp", 34: "pp", 35: "p", 36: "mp", 37: "m", 38: "mf", 39: "f", 40: "ff",
    41: "fff", 42: "fz", 43: "sf", 44: "sfz", 45: "fp", 47: "rfz", 170: "sfp",
}

# code -> (name, what it looks like, MusicXML counterpart)
SYMBOLS = {
    33: ("ppp", "dynamic letters", "<dynamics><ppp/>"),
    34: ("pp", "dynamic letters", "<dynamics><pp/>"),
    35: ("p", "dynamic letter", "<dynamics><p/>"),
    36: ("mp", "dynamic letters", "<dynamics><mp/>"),
    37: ("m", "dynamic letter", "<dynamics><m/>"),
    38: ("mf", "dynamic letters", "<dynamics><mf/>"),
    39: ("f", "dynamic letter", "<dynamics><f/>"),
    40: ("ff", "dynamic letters", "<dynamics><ff/>"),
    41: ("fff", "dynamic letters", "<dynamics><fff/>"),
    42: ("fz", "dynamic letters", "<dynamics><fz/>"),
    43: ("sf", "dynamic letters", "<dynamics><sf/>"),
    44: ("sfz", "dynamic letters", "<dynamics><sfz/>"),
    45: ("fp", "dynamic letters", "<dynamics><fp/>"),
    47: ("rfz", "dynamic letters", "<dynamics><rfz/>"),
    81: ("fermata", "arc over a dot, on the baseline", "<fermata type=\"upright\"/>"),
    82: ("fermata below", "arc under a dot", "<fermata type=\"inverted\"/>"),
    83: ("breath mark", "comma", "<breath-mark/>"),
    84: ("caesura", "two slanting strokes", "<caesura/>"),
    85: ("segno", "S with a slash and two dots", "<segno/>"),
    86: ("coda", "circle with a cross", "<coda/>"),
    87: ("D.C.", "bold italic text", "<words>D.C.</words>"),
    88: ("D.S.", "bold italic text", "<words>D.S.</words>"),
    89: ("Fine", "bold italic text", "<words>Fine</words>"),
    90: ("D.C. al Fine", "bold italic text", "<words>D.C. al Fine</words>"),
    91: ("D.C. al Coda", "bold italic text", "<words>D.C. al Coda</words>"),
    92: ("D.S. al Fine", "bold italic text", "<words>D.S. al Fine</words>"),
    93: ("D.S. al Coda", "bold italic text", "<words>D.S. al Coda</words>"),
    94: ("To Coda", "bold italic text followed by a coda sign", "<words>To Coda</words><coda/>"),
    95: ("pedal down", "engraved \"Ped.\"", "<pedal type=\"start\"/>"),
    96: ("pedal up", "asterisk-like release sign", "<pedal type=\"stop\"/>"),
    97: ("una corda", "italic \"u.c.\"", "<words>una corda</words>"),
    98: ("tre corde", "italic \"t.c.\"", "<words>tre corde</words>"),
    99: ("trill", "bold \"tr\"", "<trill-mark/>"),
    100: ("trill with extension", "\"tr\" followed by a wavy line", "<trill-mark/><wavy-line/>"),
    101: ("trill extension", "wavy line", "<wavy-line/>"),
    102: ("turn", "lying S", "<turn/>"),
    103: ("inverted turn", "mirrored lying S", "<inverted-turn/>"),
    104: ("upper mordent", "short zigzag (pralltriller)", "<inverted-mordent/>"),
    105: ("lower mordent", "short zigzag crossed by a vertical stroke", "<mordent/>"),
    106: ("long upper mordent", "zigzag with three peaks", "<inverted-mordent long=\"yes\"/>"),
    107: ("arpeggio", "vertical wavy line, 3 staff spaces", "<arpeggiate/>"),
    108: ("arpeggio up", "vertical wavy line with an arrowhead at the top",
          "<arpeggiate direction=\"up\"/>"),
    109: ("arpeggio down", "vertical wavy line with an arrowhead at the bottom",
          "<arpeggiate direction=\"down\"/>"),
    110: ("8va", "\"8va\"", "<octave-shift type=\"down\" size=\"8\"/>"),
    111: ("8vb", "\"8vb\"", "<octave-shift type=\"up\" size=\"8\"/>"),
    112: ("15ma", "\"15ma\"", "<octave-shift type=\"down\" size=\"15\"/>"),
    113: ("15mb", "\"15mb\"", "<octave-shift type=\"up\" size=\"15\"/>"),
    114: ("loco", "italic \"loco\"", "<octave-shift type=\"stop\"/>"),
    115: ("accent", "wedge >", "<accent/>"),
    116: ("marcato", "roof ^", "<strong-accent type=\"up\"/>"),
    117: ("marcato below", "v", "<strong-accent type=\"down\"/>"),
    118: ("tenuto", "short bar", "<tenuto/>"),
    119: ("staccato", "dot", "<staccato/>"),
    120: ("staccatissimo", "small wedge", "<staccatissimo/>"),
    121: ("portato", "bar over a dot", "<detached-legato/>"),
    122: ("accent staccato", "wedge over a dot", "<accent/><staccato/>"),
    123: ("ritardando", "italic \"rit.\"", "<words>rit.</words>"),
    124: ("rallentando", "italic \"rall.\"", "<words>rall.</words>"),
    125: ("accelerando", "italic \"accel.\"", "<words>accel.</words>"),
    126: ("a tempo", "italic \"a tempo\"", "<words>a tempo</words>"),
    196: ("rubato", "italic \"rubato\"", "<words>rubato</words>"),
    197: ("poco", "italic \"poco\"", "<words>poco</words>"),
    199: ("molto", "italic \"molto\"", "<words>molto</words>"),
    201: ("subito", "italic \"sub.\"", "<words>sub.</words>"),
    209: ("sempre", "italic \"sempre\"", "<words>sempre</words>"),
    214: ("crescendo (word)", "italic \"cresc.\"", "<words>cresc.</words>"),
    220: ("diminuendo (word)", "italic \"dim.\"", "<words>dim.</words>"),
    225: ("thirty-second note", "small note with three flags", "<beat-unit>32nd"),
    224: ("sixteenth note", "small note with two flags", "<beat-unit>16th"),
    226: ("eighth note", "small note with a flag", "<beat-unit>eighth"),
    228: ("dotted eighth note", "small flagged note and a dot", "<beat-unit>eighth + <beat-unit-dot/>"),
    227: ("quarter note (tempo marks)", "small quarter note, head on the baseline",
          "<beat-unit>quarter"),
    229: ("dotted quarter note", "small quarter note and a dot",
          "<beat-unit>quarter + <beat-unit-dot/>"),
    231: ("half note", "small half note", "<beat-unit>half"),
    233: ("dotted half note", "small half note and a dot", "<beat-unit>half + <beat-unit-dot/>"),
    232: ("whole note", "small whole note", "<beat-unit>whole"),
    234: ("two beamed eighths", "pair of small eighths joined by a beam", "<words>"),
    235: ("eighth-note triplet", "three beamed small eighths under a 3", "<words>"),
    237: ("sharp", "sharp sign", "<accidental-mark>sharp"),
    236: ("flat", "flat sign", "<accidental-mark>flat"),
    238: ("natural", "natural sign", "<accidental-mark>natural"),
    239: ("double sharp", "x-shaped sign", "<accidental-mark>double-sharp"),
    241: ("double flat", "two flat signs", "<accidental-mark>flat-flat"),
    243: ("treble clef", "small G clef", "(none)"),
    242: ("bass clef", "small F clef", "(none)"),
    244: ("common time", "C", "(none)"),
    246: ("cut time", "C with a vertical stroke", "(none)"),
    245: ("triplet", "italic 3", "(none)"),
    250: ("tremolo, one stroke", "one slanting beam", "<tremolo>1"),
    249: ("tremolo, two strokes", "two slanting beams", "<tremolo>2"),
    251: ("tremolo, three strokes", "three slanting beams", "<tremolo>3"),
    252: ("bar repeat", "slash between two dots", "<measure-repeat>"),
    176: ("simile", "italic \"simile\"", "<words>simile</words>"),
    162: ("legato", "italic \"legato\"", "<words>legato</words>"),
    163: ("dolce", "italic \"dolce\"", "<words>dolce</words>"),
    167: ("espressivo", "italic \"espress.\"", "<words>espress.</words>"),
    182: ("cantabile", "italic \"cantabile\"", "<words>cantabile</words>"),
    223: ("leggiero", "italic \"leggiero\"", "<words>leggiero</words>"),
    174: ("right hand", "italic \"R.H.\"", "<words>R.H.</words>"),
    169: ("left hand", "italic \"L.H.\"", "<words>L.H.</words>"),
    180: ("dot (tempo marks)", "augmentation dot that follows 227 in \"%C%C = %d\"",
          "<beat-unit-dot/>"),
    168: ("glissando", "italic \"gliss.\"", "<words>gliss.</words>"),
    198: ("acciaccatura", "small flagged note with a slash", "<grace slash=\"yes\"/>"),
    216: ("appoggiatura", "small flagged note", "<grace/>"),
    177: ("half pedal", "\"Ped.\" with a half mark", "<pedal type=\"change\"/>"),
    165: ("poco a poco", "italic \"poco a poco\"", "<words>poco a poco</words>"),
    181: ("senza pedale", "italic \"senza Ped.\"", "<words>senza Ped.</words>"),
    170: ("sfp", "dynamic letters", "<dynamics><sfp/>"),
    193: ("crescendo", "opening hairpin; inserting it adds a crescendo wedge",
          "<wedge type=\"crescendo\"/>"),
    203: ("diminuendo", "closing hairpin; inserting it adds a diminuendo wedge",
          "<wedge type=\"diminuendo\"/>"),
    191: ("tenuto accent", "wedge over a short bar", "<accent/><tenuto/>"),
}

# Codes 33-43 are the dynamics that MusicXML export recognises as the first
# character of an annotation; 193 and 203 are the wedges.
EXPORTED_DYNAMICS = {33: "ppp", 34: "pp", 35: "p", 36: "mp", 37: "m", 38: "mf",
                     39: "f", 40: "ff", 41: "fff", 42: "fz", 43: "sf"}


def role_codes():
    return [r[0] for r in ROLES]


def text_characters(style):
    chars = set()
    for text, st in TEXTS.values():
        if st == style:
            chars.update(text)
    chars.discard(" ")
    return sorted(chars)
