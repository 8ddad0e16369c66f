"""Many threads at once give the results of one: Python threads calling
summarize (the interpreter lock is released), and summarize_many."""

import concurrent.futures
import pathlib

import pytest

import kernova
from conftest import SAMPLES


def batch():
    """Texts of both languages and all three kinds, some repeated."""
    texts = []
    for name, lang in [("storm.txt", "en"), ("ferry.txt", "en"), ("frio.txt", "pt")]:
        data = (SAMPLES / name).read_bytes()
        texts += [(data, lang), (data.decode("latin-1"), lang), (SAMPLES / name, lang), (data[: len(data) // 2], lang)]
    return texts * 8


def test_python_threads_agree_with_one_thread():
    work = batch()
    options = {"keep": 0.4, "query": "storm"}
    alone = [kernova.summarize(text, lang=lang, **options).to_dict() for text, lang in work]
    with concurrent.futures.ThreadPoolExecutor(max_workers=8) as pool:
        together = list(pool.map(lambda item: kernova.summarize(item[0], lang=item[1], **options).to_dict(), work))
    assert together == alone


@pytest.mark.parametrize("jobs", [1, 2, 7, 64])
def test_summarize_many_agrees_with_summarize(jobs):
    english = [text for text, lang in batch() if lang == "en"] + [["Two texts. Together.", b"As one item."]]
    expected = [kernova.summarize(text, words=40).to_dict() for text in english]
    assert [s.to_dict() for s in kernova.summarize_many(english, jobs=jobs, words=40)] == expected
    assert kernova.summarize_many([], jobs=jobs) == []


def test_summarize_many_raises_the_first_failure_in_order(tmp_path):
    items = ["fine"] * 50 + [b"\xff", tmp_path / "missing.txt", b"\xfe"]
    with pytest.raises(ValueError, match=r"^texts\[50\]: not valid UTF-8 \(byte 1\)$"):
        kernova.summarize_many(items, jobs=4, encoding="utf8")
    with pytest.raises(FileNotFoundError):
        kernova.summarize_many(items[:50] + items[51:], jobs=4, encoding="utf8")
    with pytest.raises(ValueError, match=r"^texts\[1\]\[2\]: not valid UTF-8"):
        kernova.summarize_many(["fine", ["also", "fine", b"\xff"]], encoding="utf8")
    for jobs in [0, -1, 1.5, True]:
        with pytest.raises(ValueError, match=r"^jobs: '.*' is not a number of jobs \(1 or more\)$"):
            kernova.summarize_many(items, jobs=jobs)
    with pytest.raises(ValueError, match="^rate excludes words$"):
        kernova.summarize_many(items, rate=1, words=1)
