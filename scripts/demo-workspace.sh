#!/usr/bin/env bash
# Builds a demo workspace for Velmora: a few short silent MP3 files named the way radio-play
# collections name them, both templates, and a Tonfeld.ini whose Hördat address is the given one.
#   scripts/demo-workspace.sh DIR HOERDAT_BASE_URL     (e.g. http://127.0.0.1:8080/)
# Files that are already there are kept (the user may have tagged them); Tonfeld.ini is written
# anew each time, since the service's port changes from run to run.
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 DIR HOERDAT_BASE_URL" >&2
  exit 2
fi
dir="$1"
url="$2"
mkdir -p "$dir/Hoerspiele" "$dir/Fertig"
dir="$(cd "$dir" && pwd)"

# One second of silence: 39 MPEG-1 Layer III frames, 128 kbit/s, 44.1 kHz, stereo, no CRC.
# Each frame is 144 * 128000 / 44100 = 417 bytes: the 4-byte header, then zeros, which give
# empty side information and so silent granules.
silent_mp3() {
  local frame
  for frame in $(seq 39); do
    printf '\xff\xfb\x90\x00'
    head -c 413 /dev/zero
  done
}

# Author - title with part - station(s), two-digit year: the habit the loader takes apart.
# Two stations are joined by "+", the SENDERNAMEN_TRENNER of the settings below.
names=(
  "Anna Berger - Stille Garten 1v3 - RBX, 01.mp3"
  "Anna Berger - Stille Garten 2v3 - RBX, 01.mp3"
  "Anna Berger - Stille Garten 3v3 - RBX, 01.mp3"
  "Jürgen Müller - Spur im Moor 1v3 - NDX, 75.mp3"
  "Claudia Pfeiffer - Hochzeit auf Umwegen - KLX, 12.mp3"
  "Hauke Jansen - Kanal - KLX+RBX, 03.mp3"
  "Erik Sandmann - Station Eisfeld - Radio Wellenau, 17.mp3"
)
for name in "${names[@]}"; do
  [ -e "$dir/Hoerspiele/$name" ] || silent_mp3 > "$dir/Hoerspiele/$name"
done

# Four bytes, big-endian: plain (a frame's size) or with seven bits a byte (the tag's size).
be32() {
  local shift=$2 value=$1 byte
  for byte in 3 2 1 0; do
    printf "\\x$(printf %02x $(((value >> (byte * shift)) & ((1 << shift) - 1))))"
  done
}
# An ID3v2.3 text frame in ISO-8859-1 (the Windows-1252 bytes, as Velmora writes them).
text_frame() {
  local text
  text="$(printf '%s' "$2" | iconv -f UTF-8 -t CP1252 | base64 -w0)"
  printf '%s' "$1"
  be32 $(($(printf '%s' "$text" | base64 -d | wc -c) + 1)) 8
  printf '\0\0\0'
  printf '%s' "$text" | base64 -d
}
# The silent file behind a tag with a title and an artist: a tagged part of the collection.
tagged_mp3() {
  local frames
  frames="$(mktemp)"
  { text_frame TIT2 "$1"; text_frame TPE1 "$2"; } > "$frames"
  printf 'ID3\3\0\0'
  be32 "$(wc -c < "$frames")" 7
  cat "$frames"
  rm -f "$frames"
  silent_mp3
}

# A small collection in subfolders, plays the stand-in service knows: some in parts with a gap,
# some tagged, and one recording whose name is outside the habit. "Sammlung…" shows it.
mkdir -p "$dir/Hoerspiele/Krimis" "$dir/Hoerspiele/Klassiker" "$dir/Hoerspiele/Neu"
collection=(
  "Krimis/Sibylle Engel - Der Fall Adelheid - HRW, 79.mp3|"
  "Krimis/Sibylle Engel - Der Fall Oberländer - HRW, 81.mp3|Der Fall Oberländer"
  "Krimis/Konstantin Dreyer - Schatten über Lübbenau 1v4 - Radio Wellenau+KLX, 96.mp3|"
  "Krimis/Konstantin Dreyer - Schatten über Lübbenau 2v4 - Radio Wellenau+KLX, 96.mp3|"
  "Krimis/Konstantin Dreyer - Schatten über Lübbenau 4v4 - Radio Wellenau+KLX, 96.mp3|"
  "Klassiker/Theodor Hagen - Die Brücke - SDF, 59.mp3|Die Brücke"
  "Klassiker/Otto Falkenberg - Die Insel - NDX, 56.mp3|"
  "Klassiker/Paul Tiedemann - Das Geheimnis der Schwarzen Mühle 1v2 - HRW, 81.mp3|Das Geheimnis der Schwarzen Mühle 1v2"
  "Klassiker/Paul Tiedemann - Das Geheimnis der Schwarzen Mühle 2v2 - HRW, 81.mp3|Das Geheimnis der Schwarzen Mühle 2v2"
  "Neu/Deniz Yilmaz - Die Fähre nach Çanakkale - Radio Wellenau, 2021.mp3|"
  "Neu/Mitschnitt vom Sonntag.mp3|"
)
for entry in "${collection[@]}"; do
  name="${entry%%|*}"
  title="${entry#*|}"
  [ -e "$dir/Hoerspiele/$name" ] && continue
  if [ -n "$title" ]; then
    author="${name#*/}"
    tagged_mp3 "$title" "${author%% - *}" > "$dir/Hoerspiele/$name"
  else
    silent_mp3 > "$dir/Hoerspiele/$name"
  fi
done

if [ ! -e "$dir/FileNameVorlage.txt" ]; then
  cat > "$dir/FileNameVorlage.txt" <<'TEMPLATE'
# Name der geschriebenen Datei, ohne Endung. Zeilen mit "#" am Anfang sind Kommentare.
# $0$ Autor, $1$ Titel, $2$ Sender, $3$ Jahr, $10$ Teil (z.B. 2v3)
$0$ - $1$ - $2$, $3$
TEMPLATE
fi
if [ ! -e "$dir/BeschreibungVorlage.txt" ]; then
  cat > "$dir/BeschreibungVorlage.txt" <<'TEMPLATE'
# Beschreibung, die beim Aktualisieren neben die Datei geschrieben wird.
Titel:   $1$
Autor:   $0$
Sender:  $2$ ($3$)
Regie:   $5$
Länge:   $7$
Genre:   $9$

$4$

Mitwirkende:
$6$

Erstellt am $D$ um $T$.
TEMPLATE
fi

cat > "$dir/Tonfeld.ini" <<INI
[DIRECTORIES]
INPUTDIR=$dir/Hoerspiele/
OUTPUTDIR=$dir/Fertig/

[WWW]
URL-HOERDAT=$url
SCRIPT-HOERDAT=hoerdat.php

[SETTINGS]
GEN_TXT_FILE=1
AUTO_ID3V1_TAGGING=1
AUTO_ID3V1_COPY=1
WAFRANYOFL=0
UPLOADINFO=1
PADDING=1024
KEEP_OTHER_FRAMES=1

[AKTUALISIEREN]
SENDERNAMEN_TRENNER=+

[DEFAULTS]
URL=--
EncodedVON=Velmora-Demo

[PREFIXES]
KOMPONIST=Regie:
URSPRUENGLICHER_KUENSTLER=Sprecher:
BEARBEITUNG=Bearbeitung:
INI
echo "$dir"
