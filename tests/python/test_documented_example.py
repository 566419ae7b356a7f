"""The worked example of docs/python.md runs as written, prints what the page shows and
draws its figure."""

import contextlib
import io
import os
import pathlib
import re

from conftest import EXAMPLES

PAGE = pathlib.Path(os.environ.get("CONDSIM_SOURCE", pathlib.Path(__file__).resolve().parents[2])) \
    / "docs" / "python.md"


def test_worked_example_prints_what_the_page_shows(private_folder):
    text = PAGE.read_text(encoding="utf-8")
    code = re.search(r"```python\n(.*?)```", text, re.S).group(1)
    shown = re.search(r"It prints\n\n```\n(.*?)```", text, re.S).group(1)
    (private_folder / "examples").symlink_to(EXAMPLES)
    printed = io.StringIO()
    with contextlib.redirect_stdout(printed):
        exec(compile(code, str(PAGE), "exec"), {"__name__": "__main__"})
    assert printed.getvalue() == shown
    figure = private_folder / "cacl2-fits.png"
    assert figure.read_bytes()[:8] == b"\x89PNG\r\n\x1a\n"


def test_series_example_prints_what_the_page_shows():
    text = PAGE.read_text(encoding="utf-8").split("## A temperature series", 1)[1]
    code = re.search(r"```python\n(.*?)```", text, re.S).group(1)
    shown = re.search(r"It prints\n\n```\n(.*?)```", text, re.S).group(1)
    printed = io.StringIO()
    with contextlib.redirect_stdout(printed):
        exec(compile(code, str(PAGE), "exec"), {"__name__": "__main__"})
    assert printed.getvalue() == shown
