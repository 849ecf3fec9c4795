import os, re
ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
HEADERS = [('MAIN', 'app/win/main_window_ids.h'), ('BACKUP', 'app/win/backup_window_ids.h'),
           ('LOGGING', 'logging/win/logging_window_ids.h'), ('BROWSE', 'browse/win/browse_window_ids.h'),
           ('VIEW', 'browse/win/view_edit_window_ids.h'), ('PRINT', 'print/win/print_window_ids.h')]
WIN32_IDS = {'IDOK': 1, 'IDCANCEL': 2}
DEFINITION = re.compile(r'^constexpr int kId(\w+?)(\[\d+\])? = (.+?);(\s*//.*)?$')
def snake(name): return re.sub(r'(?<!^)(?=[A-Z])', '_', name).upper()
def value_of(text, where):
    text = text.strip()
    if text in WIN32_IDS: return WIN32_IDS[text]
    if re.fullmatch(r'\d+', text): return int(text)
    if text.startswith('{') and text.endswith('}'): return [value_of(p, where) for p in text[1:-1].split(',')]
    raise ValueError('%s: cannot read the id %r' % (where, text))
def read_ids(root=ROOT):
    ids = {}
    for prefix, header in HEADERS:
        with open(os.path.join(root, header)) as f:
            for number, line in enumerate(f, 1):
                if not line.startswith('constexpr int kId'): continue
                m = DEFINITION.match(line.rstrip('\n'))
                if not m: raise ValueError('%s:%d: cannot read %r' % (header, number, line))
                ids['%s_%s' % (prefix, snake(m.group(1)))] = value_of(m.group(3), '%s:%d' % (header, number))
    return ids
