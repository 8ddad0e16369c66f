"""kernova.split and kernova.stem against `kernova split` and `kernova stem`."""

import pytest

import kernova
from conftest import SAMPLES, run_kernova


@pytest.mark.parametrize("name,lang", [("storm.txt", "en"), ("ferry.txt", "en"), ("frio.txt", "pt")])
@pytest.mark.parametrize("unwrap", [False, True])
def test_split_equals_the_command_line(name, lang, unwrap):
    path = SAMPLES / name
    args = ["split", "--lang", lang, *(["--unwrap"] if unwrap else []), path]
    expected = run_kernova(*args)
    sentences = kernova.split(path.read_bytes(), lang=lang, unwrap=unwrap)
    assert b"".join(s + b"\n" for s in sentences) == expected
    assert kernova.split(path, lang=lang, unwrap=unwrap) == [s.decode("latin-1") for s in sentences]


def test_split_keeps_the_type_and_the_characters():
    assert kernova.split("Dr. Smith paid 3.50 dollars. Was it enough?") == ["Dr. Smith paid 3.50 dollars.", "Was it enough?"]
    assert kernova.split(b"Sr. Silva chegou. Saiu.", lang="pt") == [b"Sr. Silva chegou.", b"Saiu."]
    assert kernova.split("Ele disse \u2014 n\u00e3o. Depois saiu!", lang="pt") == ["Ele disse \u2014 n\u00e3o.", "Depois saiu!"]
    with pytest.raises(ValueError, match="^not valid UTF-8"):
        kernova.split(b"\xe9t\xe9", encoding="utf8")
    with pytest.raises(ValueError, match="^unknown language"):
        kernova.split("x", lang="fr")


@pytest.mark.parametrize("lang", ["en", "pt"])
def test_stem_equals_the_command_line(lang):
    words = sorted(set((SAMPLES / "frio.txt").read_bytes().split() + (SAMPLES / "storm.txt").read_bytes().split()))
    expected = run_kernova("stem", "--lang", lang, input_bytes=b"".join(w + b"\n" for w in words)).splitlines()
    assert kernova.stem(words, lang=lang) == expected
    assert kernova.stem([w.decode("latin-1") for w in words], lang=lang) == [s.decode("latin-1") for s in expected]


def test_stem_one_word_and_its_type():
    assert kernova.stem("Connections", lang="en") == "connect"
    assert kernova.stem(b"hopping", lang="en") == b"hop"
    expected = run_kernova("stem", "--lang", "pt", input_bytes="a\u00e7\u00f5es\ncasas\n".encode("latin-1")).split()
    assert kernova.stem(("a\u00e7\u00f5es", b"casas"), lang="pt") == [expected[0].decode("latin-1"), expected[1]]
    with pytest.raises(UnicodeEncodeError):
        kernova.stem("\u2014dash", lang="en")
    with pytest.raises(TypeError):
        kernova.stem([1], lang="en")
    with pytest.raises(TypeError):
        kernova.stem("word")  # the language has no default, as on the command line
