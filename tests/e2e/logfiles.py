"""Log records and settings files as bytes, for scenarios that write logs before
the program starts and check them afterwards."""

FIELDS = (("Date", 10), ("Time", 5), ("Freq", 6), ("Station", 20), ("Location", 24), ("Remarks", 50))
RECORD = 115


def field(text, width):
    data = text.encode("latin-1") if isinstance(text, str) else bytes(text)
    return data[:width].ljust(width, b" ")


def entry(station, date="06-12-2026", time="19:30", freq="9410", location="Somewhere", remarks=""):
    """One 115-byte record."""
    values = {"Date": date, "Time": time, "Freq": freq, "Station": station, "Location": location,
              "Remarks": remarks}
    return b"".join(field(values[name], width) for name, width in FIELDS)


def numbered_log(count, **fields):
    """`count` records with stations S1..Scount."""
    return b"".join(entry("S%d" % i, **fields) for i in range(1, count + 1))


def records(data):
    """The whole records of a log file's bytes, each as a dict of str fields."""
    out = []
    for start in range(0, len(data) - len(data) % RECORD, RECORD):
        rec, pos = {}, start
        for name, width in FIELDS:
            rec[name] = data[pos:pos + width].decode("latin-1")
            pos += width
        out.append(rec)
    return out


def settings(log_path, drive="", schedule="", generations=10, receiver=""):
    """CURLOG.DTA as the program writes it: log, drive, schedule file, backups kept, receiver HOST:PORT."""
    lines = [log_path, drive, schedule, str(generations), receiver]
    return "".join(line + "\r\n" for line in lines).encode("latin-1")


# Three reports with leading blanks, quotes, commas and an empty Freq, and the
# lines their CSV export holds after the header.
THREE = (entry("Example Radio", date="07-03-2004", time="21:45", freq="6070", location="Sometown")
         + entry("  Radio Leading", date="15-11-2019", time="03:05", freq="  9410", location="  Far Away",
                 remarks="  fair signal")
         + entry('Radio "Eins"', date="01-12-2026", time="23:59", freq="", location="Berlin, DE",
                 remarks='weak, "fading"'))
THREE_LINES = [b"07 Mar 2004,21:45,Example Radio,Sometown,6070KHz,\r\n",
               b"15 Nov 2019,03:05,  Radio Leading,  Far Away,9410KHz,  fair signal\r\n",
               b'01 Dec 2026,23:59,"Radio ""Eins""","Berlin, DE",KHz,"weak, ""fading"""\r\n']
