"""Rebuilds the regression files of the faults found in the loaders (see README.md).
Run with python3 from this folder; needs nothing but Python's sqlite3 module."""
import json
import os
import sqlite3

HERE = os.path.dirname(os.path.abspath(__file__))
INFO = json.dumps({"project_parameter": {
    "project_climate": {"cooling_room_dry": 25.0, "heating_room_dry": 20.0},
    "project_information": {"project_name": "Damaged", "date": "2024-05-06",
                            "country": "France", "city": "Paris"}}})


def fresh(path):
    for suffix in ("", "-journal", "-wal", "-shm"):
        if os.path.exists(path + suffix):
            os.remove(path + suffix)
    return sqlite3.connect(path)


def damaged_page(path):
    """40 outdoor-unit rows over several small pages; one page in the middle of the
    equipment table is overwritten, so reading stops there with an error."""
    db = fresh(path)
    db.execute("pragma page_size = 512")
    db.execute("create table r_material (id integer primary key, scope text, type integer, "
               "id_series integer, description text, model text, quantity integer)")
    for i in range(40):
        db.execute("insert into r_material (scope, type, id_series, description, model, "
                   "quantity) values ('project', 0, 7, ?, ?, 1)",
                   ("Outdoor unit %02d" % i + " " * 40, "QM-%02d" % i))
    db.execute("create table p_project_info (project_base_info text)")
    db.execute("insert into p_project_info values (?)", (INFO,))
    db.commit()
    leaves = [row[0] for row in db.execute(
        "select pageno from dbstat where name = 'r_material' and pagetype = 'leaf' "
        "order by path")]
    db.close()
    victim = leaves[len(leaves) // 2]
    with open(path, "r+b") as f:
        f.seek((victim - 1) * 512)
        f.write(bytes([0xA5]) * 512)


def endless_view(path):
    """The equipment 'table' is a view over a recursive query that never ends and never
    yields a row."""
    db = fresh(path)
    db.execute("create view r_material as with recursive c(x) as "
               "(select 1 union all select x + 1 from c) "
               "select 'project' as scope, 0 as type, 7 as id_series, 'VX' as description, "
               "'QM-1' as model, 1 as quantity from c where x < 0")
    db.execute("create table p_project_info (project_base_info text)")
    db.execute("insert into p_project_info values (?)", (INFO,))
    db.commit()
    db.close()


def nul_byte_tmy3(path):
    """A whole TMY3 year whose line of 30 December, 20:00 starts with a NUL byte. The
    text used to end at the NUL, and the file was refused as cut short at 29 hours
    before its end, far from the line that holds the fault."""
    days = [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31]
    lines = ['724940,"SAN FRANCISCO INTL AP",CA,-8.0,37.617,-122.400,2',
             "Date (MM/DD/YYYY),Time (HH:MM),Dry-bulb (C),RHum (%),Pressure (mbar)"]
    n = 0
    for m, count in enumerate(days, 1):
        for d in range(1, count + 1):
            for h in range(1, 25):
                dry = 10.0 + 8.0 * ((n % 24) / 24.0) + 6.0 * (m in (6, 7, 8, 9))
                lines.append("%02d/%02d/1999,%02d:00,%.1f,%d,1010" % (m, d, h, dry, 60 + n % 30))
                n += 1
    with open(path, "wb") as f:
        text = "\n".join(lines) + "\n"
        cut = text.index("12/30/1999,20:00,")
        f.write(text[:cut].encode() + b"\x00" + text[cut + 1:].encode())


damaged_page(os.path.join(HERE, "vrf_bytes", "damaged-page.vrf"))
endless_view(os.path.join(HERE, "vrf_bytes", "endless-view.vrf"))
os.makedirs(os.path.join(HERE, "weather_file"), exist_ok=True)
nul_byte_tmy3(os.path.join(HERE, "weather_file", "nul-byte.csv"))
# Found by the weather_year harness: a NUL byte in the station line left one line of
# text, and the TMY3 reader read the header line past the end of the list. The first
# byte, 0, chooses TMY3.
os.makedirs(os.path.join(HERE, "weather_year"), exist_ok=True)
with open(os.path.join(HERE, "weather_year", "nul-station-line.bin"), "wb") as f:
    f.write(b"\x00a,b,c\x00")
# Found by the weather_cache harness: a key repeated in an object, its first value an
# array. Qt's JSON parser leaked that value; nested deeper than the sanitizer's recorded
# malloc stack, the leak could not be told apart from one of the program's own.
os.makedirs(os.path.join(HERE, "weather_cache"), exist_ok=True)
with open(os.path.join(HERE, "weather_cache", "repeated-key.json"), "w") as f:
    f.write('{"extreme_result": {"gy": ' + "[" * 12 + "1" + "]" * 12
            + ', "gy": [1.5, 2.25]}, "statis_result": []}\n')
