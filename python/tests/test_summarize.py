"""kernova.summarize against `kernova summarize --format json`, the three
kinds of text, and every way a call can fail."""

import pathlib

import pytest

import kernova
from conftest import SAMPLES, kernova_json, run_kernova

# (sample files, command-line options, the same as keyword arguments)
CASES = [
    (["storm.txt"], [], {}),
    (["storm.txt"], ["--words", "60"], {"words": 60}),
    (["ferry.txt"], ["--keep", "0.3"], {"keep": 0.3}),
    (["ferry.txt"], ["--keep", "0.3"], {"keep": "0.3"}),
    (["storm.txt"], ["--rate", "0.8", "--query", "lifeboat crew"], {"rate": 0.8, "query": "lifeboat crew"}),
    (["storm.txt"], ["--rate", "-1"], {"rate": -1}),
    (["storm.txt"], ["--rate", "40", "--condense"], {"rate": 40, "condense": True}),
    (["ferry.txt"], ["--rate", "0.5", "--average"], {"rate": 0.5, "average": True}),
    (["frio.txt"], ["--lang", "pt", "--rate", "0.6"], {"lang": "pt", "rate": 0.6}),
    (["frio.txt"], ["--lang", "pt", "--condense", "--average"], {"lang": "pt", "condense": True, "average": True}),
    (["frio.txt"], ["--lang", "pt", "--unwrap", "--words", "50"], {"lang": "pt", "unwrap": True, "words": 50}),
    (["storm.txt", "ferry.txt"], ["--keep", "0.25"], {"keep": 0.25}),
    (["frio.txt"], ["--lang", "pt", "--encoding", "latin1"], {"lang": "pt", "encoding": "latin1"}),
    (["storm.txt"], ["--method", "centroid", "--words", "60"], {"method": "centroid", "words": 60}),
    (["storm.txt", "ferry.txt"], ["--method", "best", "--keep", "0.3", "--query", "ferry"],
     {"method": "best", "keep": 0.3, "query": "ferry"}),
    (["frio.txt"], ["--lang", "pt", "--method", "centroid"], {"lang": "pt", "method": "centroid"}),
]


@pytest.mark.parametrize("files,args,options", CASES, ids=[" ".join(c[0] + c[1]) for c in CASES])
def test_equals_the_command_lines_json(files, args, options):
    paths = [SAMPLES / name for name in files]
    expected = kernova_json(*args, *paths)
    as_bytes = kernova.summarize([path.read_bytes() for path in paths], **options)
    assert as_bytes.to_dict() == expected
    assert kernova.summarize(paths, **options).to_dict() == expected
    # A str is Unicode: the same sentences, only the encoding named differs.
    as_str = kernova.summarize([path.read_bytes().decode("latin-1") for path in paths], **options).to_dict()
    assert {**as_str, "encoding": expected["encoding"]} == expected
    assert str(as_bytes) == run_kernova("summarize", *args, *paths).decode("latin-1")


def test_summary_fields_agree_with_each_other():
    summary = kernova.summarize(SAMPLES / "storm.txt", words=60)
    sentences = summary.sentences
    assert [s.index for s in sentences] == list(range(len(sentences)))
    assert [s.gist for s in sentences].count(True) == 1 and sentences[summary.gist].gist
    assert sentences[summary.gist].selected
    assert summary.extract == str(summary) == "".join(s.text + "\n" for s in sentences if s.selected)
    assert summary.extract_words == sum(s.words for s in sentences if s.selected) <= 60
    assert summary.gist_stems == summary.to_dict()["gist_words"] and summary.gist_stems
    assert summary.sentences is sentences  # made once


def test_utf8_text_comes_back_unchanged():
    text = "Mr. Pell read the gauge \u2014 968.4 hPa. \u201cNot since 1987,\u201d she said. S\u00e3o Jorge stayed dry! \U0001f327"
    summary = kernova.summarize(text)
    assert summary.encoding == "utf8"
    assert [s.text for s in summary.sentences] == [
        "Mr. Pell read the gauge \u2014 968.4 hPa.",
        "\u201cNot since 1987,\u201d she said.",
        "S\u00e3o Jorge stayed dry!",
        "\U0001f327",
    ]
    assert summary.to_dict() == kernova_json_of_bytes(text.encode())
    # The same characters as UTF-8 bytes, and as ISO 8859-1 where they fit.
    assert kernova.summarize(text.encode()).to_dict() == summary.to_dict()
    latin1 = "S\u00e3o Jorge ficou seco. Choveu em Angra."
    assert str(kernova.summarize(latin1, encoding="latin1", lang="pt")) == str(kernova.summarize(latin1, lang="pt"))


def kernova_json_of_bytes(data):
    import json

    return json.loads(run_kernova("summarize", "--format", "json", "-", input_bytes=data))


def test_texts_of_every_kind_together(tmp_path):
    file = tmp_path / "third.txt"
    file.write_bytes(b"The third text came from a file. It has two sentences.\n")
    summary = kernova.summarize(["A str text. Short.", b"A bytes text here.", file, str(file).encode()])
    inputs = [s.input for s in summary.sentences]
    assert inputs[:5] == [0, 0, 1, 2, 2] and set(inputs[5:]) == {3}
    # bytes are a text even when they name a file
    assert "".join(s.text for s in summary.sentences[5:]) == str(file)


@pytest.mark.parametrize(
    "options,message",
    [
        ({"lang": "xx"}, "unknown language 'xx' (known: en, pt)"),
        ({"encoding": "ascii"}, "unknown encoding 'ascii' (known: auto, latin1, utf8)"),
        ({"method": "lead"}, "unknown method 'lead' (known: classic, centroid, best)"),
        ({"method": "centroid", "condense": True}, "condense and average belong to the classic method"),
        ({"method": "best", "average": True}, "condense and average belong to the classic method"),
        ({"rate": 0.5, "keep": 0.5}, "rate excludes keep"),
        ({"rate": 0.5, "words": 5}, "rate excludes words"),
        ({"keep": 0.5, "words": 5}, "keep excludes words"),
        ({"rate": "half"}, "rate: ''half'' is not a number"),
        ({"keep": 0}, "keep: '0' is not a decimal number above 0 and at most 1"),
        ({"keep": 1.5}, "keep: '1.5' is not a decimal number above 0 and at most 1"),
        ({"keep": "1/2"}, "keep: '1/2' is not a decimal number above 0 and at most 1"),
        ({"keep": 1e-30}, "keep: '1e-30' is not a decimal number above 0 and at most 1"),
        ({"words": -1}, "words: '-1' is not a number of words"),
        ({"words": 2.5}, "words: '2.5' is not a number of words"),
        ({"words": 2**70}, "words: '1180591620717411303424' is not a number of words"),
    ],
)
def test_bad_options_raise_value_error(options, message):
    with pytest.raises(ValueError) as raised:
        kernova.summarize("Some text.", **options)
    assert str(raised.value) == message


def test_texts_that_cannot_be_read():
    with pytest.raises(ValueError, match=r"^texts\[1\]: not valid UTF-8 \(byte 3\)$"):
        kernova.summarize(["fine", b"ab\xffc"], encoding="utf8")
    with pytest.raises(FileNotFoundError) as raised:
        kernova.summarize(["fine", pathlib.Path("/no/such/file.txt")])
    assert raised.value.filename == "/no/such/file.txt"
    with pytest.raises(IsADirectoryError):
        kernova.summarize(pathlib.Path("/"))
    with pytest.raises(UnicodeEncodeError):  # a character above U+00FF read as ISO 8859-1
        kernova.summarize("Caf\u00e9 \u2014 open.", encoding="latin1")
    with pytest.raises(UnicodeEncodeError):  # a lone surrogate is no character
        kernova.summarize("bad \ud800 text")
    with pytest.raises(TypeError):
        kernova.summarize([1, 2])
    with pytest.raises(TypeError):
        kernova.summarize("text", query=3)


@pytest.mark.parametrize(
    "texts",
    [[], "", [""], "   \n\n\t", b"\x00\x01\x02.", ".", "!!!??", "a" * 100000, b"\xff" * 1000, "word " * 50000],
    ids=["none", "empty", "one empty", "blanks", "control bytes", "period", "marks", "one long word", "0xff", "many words"],
)
@pytest.mark.parametrize("options", [{}, {"words": 0}, {"rate": -1, "condense": True}, {"query": "", "average": True}])
def test_odd_texts_give_a_summary(texts, options):
    summary = kernova.summarize(texts, **options)
    assert str(summary) == "".join(s.text + "\n" for s in summary.sentences if s.selected)
    assert (summary.gist is None) == (summary.sentences == [])


def test_a_summary_survives_pickling():
    import pickle

    for summary in [
        kernova.summarize([SAMPLES / "frio.txt", SAMPLES / "ferry.txt"], lang="pt", keep=0.3, condense=True),
        kernova.summarize("Caf\u00e9 \u2014 open \U0001f600. Closed now!", words=3),
        kernova.summarize(""),
    ]:
        copy = pickle.loads(pickle.dumps(summary))
        assert copy.to_dict() == summary.to_dict() and str(copy) == str(summary)
        assert [s.score for s in copy.sentences] == [s.score for s in summary.sentences]
    with pytest.raises(ValueError):
        kernova.Summary.__new__(kernova.Summary).__setstate__(())
