import os
from typing import Any, Iterable, Literal, Sequence, overload

Text = str | bytes | os.PathLike[str] | os.PathLike[bytes]
Language = Literal["en", "pt"]
Encoding = Literal["auto", "latin1", "utf8"]
Method = Literal["classic", "centroid", "best"]

languages: tuple[str, ...]

class Sentence:
    @property
    def text(self) -> str: ...
    @property
    def index(self) -> int: ...
    @property
    def input(self) -> int: ...
    @property
    def words(self) -> int: ...
    @property
    def score(self) -> float: ...
    @property
    def selected(self) -> bool: ...
    @property
    def gist(self) -> bool: ...

class Summary:
    @property
    def encoding(self) -> Literal["latin1", "utf8"]: ...
    @property
    def sentences(self) -> list[Sentence]: ...
    @property
    def threshold(self) -> float: ...
    @property
    def size_text(self) -> int: ...
    @property
    def size_extract(self) -> int: ...
    @property
    def extract_words(self) -> int: ...
    @property
    def gist(self) -> int | None: ...
    @property
    def gist_stems(self) -> list[str]: ...
    @property
    def extract(self) -> str: ...
    def to_dict(self) -> dict[str, Any]: ...

def summarize(
    texts: Text | Sequence[Text],
    *,
    lang: Language = "en",
    rate: float | None = None,
    keep: float | str | None = None,
    words: int | None = None,
    query: str | None = None,
    condense: bool = False,
    average: bool = False,
    encoding: Encoding = "auto",
    unwrap: bool = False,
    method: Method = "classic",
) -> Summary: ...
def summarize_many(
    batch: Iterable[Text | Sequence[Text]],
    *,
    jobs: int | None = None,
    lang: Language = "en",
    rate: float | None = None,
    keep: float | str | None = None,
    words: int | None = None,
    query: str | None = None,
    condense: bool = False,
    average: bool = False,
    encoding: Encoding = "auto",
    unwrap: bool = False,
    method: Method = "classic",
) -> list[Summary]: ...
@overload
def split(text: bytes, *, lang: Language = "en", encoding: Encoding = "auto", unwrap: bool = False) -> list[bytes]: ...
@overload
def split(
    text: str | os.PathLike[str] | os.PathLike[bytes],
    *,
    lang: Language = "en",
    encoding: Encoding = "auto",
    unwrap: bool = False,
) -> list[str]: ...
@overload
def stem(word_or_words: str, *, lang: Language) -> str: ...
@overload
def stem(word_or_words: bytes, *, lang: Language) -> bytes: ...
@overload
def stem(word_or_words: Iterable[str | bytes], *, lang: Language) -> list[str | bytes]: ...
