"""examples/dask_summarize.py on a LocalCluster of two worker processes
gives the extracts of `kernova summarize --each`."""

import json
import subprocess
import sys

from conftest import SAMPLES, SOURCE_DIR, run_kernova


def make_corpus(folder):
    """The samples, and texts made of their sentences in other orders."""
    folder.mkdir()
    sentences = []
    for sample in sorted(SAMPLES.iterdir()):
        (folder / sample.name).write_bytes(sample.read_bytes())
        sentences += sample.read_bytes().replace(b"\n", b" ").split(b". ")
    for i in range(12):
        picked = sentences[i % 5 :: 2 + i % 3]
        (folder / f"mixed{i:02}.txt").write_bytes(b". ".join(reversed(picked)) + b".\n")
    return sorted(folder.iterdir())


def test_dask_example_equals_kernova_summarize_each(tmp_path):
    files = make_corpus(tmp_path / "corpus")
    output = tmp_path / "summaries.jsonl"
    subprocess.run(
        [sys.executable, SOURCE_DIR / "examples" / "dask_summarize.py", tmp_path / "corpus", output,
         "--workers", "2", "--words", "45", "--query", "storm"],
        check=True, timeout=240,
    )
    run_kernova("summarize", "--each", "--words", "45", "--query", "storm", "--output-dir", tmp_path, *files)

    records = [json.loads(line) for line in output.read_text(encoding="utf-8").splitlines()]
    assert [record["file"] for record in records] == [str(file) for file in files]
    for record, file in zip(records, files):
        expected = (tmp_path / (file.stem + ".sum")).read_bytes().decode("latin-1")
        assert record["extract"] == expected, file.name
    assert all(record["extract"] for record in records)
