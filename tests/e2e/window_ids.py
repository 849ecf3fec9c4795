"""The windows' control and command ids, read from the headers the program is
built with (<folder>/win/<window>_ids.h), so that no id is written twice. Each
constant kIdSomeName of a window becomes <PREFIX>_SOME_NAME; IDOK and IDCANCEL
are Win32's 1 and 2. A definition this reader cannot take, or an ids header it
does not know, is an error, not a silently missing id."""
import glob
import os
import re

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
HEADERS = [('MAIN', 'app/win/main_window_ids.h'), ('BACKUP', 'app/win/backup_window_ids.h'),
           ('LOGGING', 'logging/win/logging_window_ids.h'), ('BROWSE', 'browse/win/browse_window_ids.h'),
           ('VIEW', 'browse/win/view_edit_window_ids.h'), ('PRINT', 'print/win/print_window_ids.h'),
           ('RECEIVER', 'receiver/win/receiver_window_ids.h'), ('PROGRESS', 'ui/progress_window_ids.h'),
           ('REPORT', 'reports/win/report_window_ids.h'), ('REGISTER', 'reports/win/register_window_ids.h')]
WIN32_IDS = {'IDOK': 1, 'IDCANCEL': 2}
DEFINITION = re.compile(r'^constexpr int kId(\w+?)(\[\d+\])? = (.+?);(\s*//.*)?$')


def snake(name):
    return re.sub(r'(?<!^)(?=[A-Z])', '_', name).upper()


def value_of(text, where):
    text = text.strip()
    if text in WIN32_IDS:
        return WIN32_IDS[text]
    if re.fullmatch(r'\d+', text):
        return int(text)
    if text.startswith('{') and text.endswith('}'):
        return [value_of(part, where) for part in text[1:-1].split(',')]
    raise ValueError('%s: cannot read the id %r' % (where, text))


def read_ids(root=ROOT):
    known = {header for _, header in HEADERS}
    found = {os.path.relpath(path, root) for path in glob.glob(os.path.join(root, '*', 'win', '*_ids.h'))}
    if found - known:
        raise ValueError('ids headers without a prefix in window_ids.py: %s' % ', '.join(sorted(found - known)))
    ids = {}
    for prefix, header in HEADERS:
        with open(os.path.join(root, header)) as f:
            for number, line in enumerate(f, 1):
                if not line.startswith('constexpr int kId'):
                    continue
                match = DEFINITION.match(line.rstrip('\n'))
                if not match:
                    raise ValueError('%s:%d: cannot read %r' % (header, number, line))
                name = '%s_%s' % (prefix, snake(match.group(1)))
                ids[name] = value_of(match.group(3), '%s:%d' % (header, number))
    return ids
