"""Files written whole or not at all."""

import os
import tempfile


def write_whole(path, write, prefix=".torlin-") -> None:
    """Writes a file whole or not at all: write(file) fills a temporary file beside it,
    which is then renamed over path; on any failure the temporary file goes."""
    folder = os.path.dirname(os.path.abspath(path))
    handle, temporary = tempfile.mkstemp(prefix=prefix, dir=folder)
    try:
        with os.fdopen(handle, "w", encoding="utf-8", newline="") as file:
            write(file)
            file.flush()
            os.fsync(file.fileno())
        os.replace(temporary, path)
    except BaseException:
        if os.path.exists(temporary):
            os.unlink(temporary)
        raise
