"""Kernova: extractive summaries of English and Portuguese plain text.

    >>> import kernova
    >>> summary = kernova.summarize(text, words=60)
    >>> print(summary)                      # the extract
    >>> summary.to_dict()                   # what `kernova summarize --format json` writes

summarize() takes one text or several summarized together; summarize_many()
summarizes each item of a batch on its own in several threads; split() and
stem() give the sentences and the stems the summarizer works with.
"""

from ._kernova import Sentence, Summary, languages, split, stem, summarize, summarize_many

__all__ = ["Sentence", "Summary", "languages", "split", "stem", "summarize", "summarize_many"]
