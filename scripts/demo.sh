#!/usr/bin/env bash
# Builds everything and runs the programs on the sample texts in samples/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)" --target CLAVER_En CLAVER_Por Kernova_En Kernova_Por kernova_cli >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp samples/*.txt "$work"
bin=$PWD/build/bin
show() {  # a file, converted from ISO 8859-1 for the terminal
  echo "--- $1"
  iconv -f ISO-8859-1 -t UTF-8 "$work/$1"
  echo
}

cd "$work"
echo "== Sentence splitting"
"$bin/CLAVER_En" storm.txt && show storm.txt.seg
"$bin/CLAVER_Por" frio.txt && show frio.txt.seg

echo "== Summaries"
echo "(Kernova_En storm.txt 0.7: the words of the extract at most 30% of the text's)"
"$bin/Kernova_En" storm.txt 0.7 && show storm.sum
echo "(Kernova_En storm.txt \"lifeboat crew\" 0.8: around the sentence closest to the query)"
"$bin/Kernova_En" storm.txt "lifeboat crew" 0.8 && show storm.sum
echo "(Kernova_En -n2 storm.txt ferry.txt 0.8: two texts summarized together)"
"$bin/Kernova_En" -n2 storm.txt ferry.txt 0.8 && show multidoc-ferry.sum
echo "(Kernova_Por frio.txt 0.7)"
"$bin/Kernova_Por" frio.txt 0.7 && show frio.sum
echo "(Kernova_Por -is frio.txt \"morango\" 0.8: stopwords removed inside the sentences)"
"$bin/Kernova_Por" -is frio.txt "morango" 0.8 && show frio.sum

echo "== The same in one process, for pipelines"
echo "(kernova summarize --words 60 storm.txt)"
"$bin/kernova" summarize --words 60 storm.txt | iconv -f ISO-8859-1 -t UTF-8
echo
echo "(kernova summarize --method centroid --words 60 storm.txt: position, centrality and coverage)"
"$bin/kernova" summarize --method centroid --words 60 storm.txt | iconv -f ISO-8859-1 -t UTF-8
echo
echo "(kernova split on a UTF-8 text with curly quotes and a dash)"
printf 'Dr. Pell checked the barometer \342\200\224 968.4 hPa. \342\200\234We have not seen this since 1987,\342\200\235 she said. Then she left!\n' | "$bin/kernova" split
