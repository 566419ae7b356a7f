"""condsim.System: keywords become the batch tool's options and are checked by the windows."""

import numpy
import pytest

import condsim
from conftest import SALT_2TO1


@pytest.mark.parametrize("keyword, value, kept, option", [
    ("n", 8, 8, ["--n", "8"]),
    ("beta1", 1234.5, "1234.5", ["--beta1", "1234.5"]),
    ("beta1", "1e3", "1e3", ["--beta1", "1e3"]),
    ("model1", False, False, ["--model1", "off"]),
    ("mca", 60, "60", ["--mca", "60"]),
    ("points", 50, 50, ["--points", "50"]),
    ("gradient", -20, -20, ["--gradient", "-20"]),
    ("solution", "davies", "davies", ["--solution", "davies"]),
    ("n", numpy.int64(4), 4, ["--n", "4"]),
    ("mcx", numpy.float32(0.5), "0.5", ["--mcx", "0.5"]),
])
def test_keywords_become_options(keyword, value, kept, option):
    system = condsim.System(**{keyword: value})
    assert getattr(system, keyword) == kept
    assert system.arguments() == option


def test_assignment_and_replace_check_together():
    system = condsim.System(solution="debye-huckel", ion_size="5", solvent="methanol")
    assert system.arguments() == ["--solution", "debye-huckel", "--ion-size", "5",
                                  "--solvent", "methanol"]
    ideal = system.replace(solution=None, ion_size=None, solvent=None)
    assert ideal.arguments() == [] and system.solvent == "methanol"
    system.n = 3
    assert system.n == 3
    system.n = None
    assert system.n is None
    assert "solvent='methanol'" in repr(system)


def test_constants_are_imported_as_a_file():
    system = condsim.System(n=3, model1=False, K=[100, "20", 4.5])
    assert system.K == ["100", "20", "4.5"]
    sweep = system.sweep(SALT_2TO1, report=True)
    for constant in ("100", "20", "4.5"):
        assert constant in sweep.report


def stub_names():
    """The classes with their members, and the functions, that condsim.pyi declares."""
    import ast
    import pathlib
    stub = pathlib.Path(condsim.__file__).with_name("condsim.pyi")
    tree = ast.parse(stub.read_text())
    names = {}
    for node in tree.body:
        if isinstance(node, ast.ClassDef):
            members = {item.target.id for item in node.body if isinstance(item, ast.AnnAssign)}
            members |= {item.name for item in node.body if isinstance(item, ast.FunctionDef)}
            names[node.name] = members
        elif isinstance(node, ast.FunctionDef):
            names[node.name] = set()
    return names


def test_stub_and_docstrings_cover_the_whole_api():
    declared = stub_names()
    public = {name for name in dir(condsim) if not name.startswith("_")}
    assert public == set(declared)
    for name in public:
        item = getattr(condsim, name)
        assert item.__doc__, name
        if isinstance(item, type) and not issubclass(item, Exception):
            members = {member for member in vars(item) if not member.startswith("_")}
            assert members == declared[name] - {"__init__", "__getitem__", "__len__"}, name
            for member in members:
                assert getattr(item, member).__doc__, f"{name}.{member}"
