"""The README's Python examples run as they stand."""

import os
import re

import pytest

from conftest import SOURCE

with open(os.path.join(SOURCE, "README.md"), encoding="utf-8") as readme:
    EXAMPLES = re.findall(r"```python\n(.*?)```", readme.read(), re.S)


def test_the_readme_has_examples():
    assert len(EXAMPLES) >= 2


@pytest.mark.parametrize("example", EXAMPLES, ids=[f"example{i + 1}" for i in range(len(EXAMPLES))])
def test_a_readme_example_runs(example, tmp_path, monkeypatch, capsys):
    os.symlink(os.path.join(SOURCE, "designs"), tmp_path / "designs")
    monkeypatch.chdir(tmp_path)  # what an example writes stays here
    exec(compile(example, "README.md", "exec"), {"__name__": "__main__"})
    assert capsys.readouterr().out
