#!/usr/bin/env python3
"""Makes the synthetic test inputs beside the real assembler output in this folder, and
the executables every input must convert to.

The expected executables are computed here, independently of the C++ code: the header
from ORG, ENT and SP, then the bytes of each data record (object files) or of each dump
line (listings). Run it again after changing a case; the whole-program tests compare
quillet-cli's output with the files in expected/ byte for byte.
"""
import pathlib
import re
import random
import subprocess

HERE = pathlib.Path(__file__).resolve().parent
HEADER = "ADDR  00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F"
RULE = "-" * 53


def record(address, rtype, data):
    body = bytes([len(data), address >> 8, address & 0xFF, rtype]) + bytes(data)
    checksum = (256 - sum(body) % 256) % 256
    return ":" + body.hex().upper() + "%02X" % checksum


def mos_record(address, data):
    body = bytes([len(data), address >> 8, address & 0xFF]) + bytes(data)
    return ";" + body.hex().upper() + "%04X" % (sum(body) % 65536)


def mos_file(chunks, per_record=24):
    """The same records in MOS Technology form: the last record counts the data records."""
    lines = []
    for address, data in chunks:
        for i in range(0, len(data), per_record):
            lines.append(mos_record(address + i, data[i:i + per_record]))
    lines.append(mos_record(len(lines), b""))
    return lines


def object_file(chunks, per_record=24):
    """chunks: (address, bytes) in file order; records of up to 24 bytes, as Tasm writes."""
    lines = []
    for address, data in chunks:
        for i in range(0, len(data), per_record):
            lines.append(record(address + i, 0, data[i:i + per_record]))
    lines.append(record(0, 1, b""))
    return lines


def dump_section(memory, first, last):
    """The listing's memory dump from first to last inclusive, 16 bytes a line, unset
    bytes as 00, the last line padded with 00."""
    lines = [HEADER, RULE]
    for address in range(first - first % 16, last + 1, 16):
        row = " ".join("%02X" % memory.get(address + i, 0) for i in range(16))
        lines.append("%04X  %s" % (address, row))
    return lines


def source_lines(chunks, title):
    """Listing lines for the code part: line number, address, up to four bytes."""
    lines = []
    number = 1
    lines.append("%04d                    ; %s" % (number, title))
    for address, data in chunks:
        number += 1
        lines.append("%04d   %04X                     .org $%04x" % (number, address, address))
        for i in range(0, len(data), 4):
            part = data[i:i + 4]
            text = " ".join("%02X" % b for b in part)
            lines.append("%04d   %04X %-12s         .db %s" % (number + 1, address + i, text,
                                                                 ",".join("$%02x" % b for b in part)))
        number += 1
    lines.append("%04d                            .end" % (number + 1))
    return lines


def write_text(name, lines, newline="\n"):
    (HERE / name).write_bytes((newline.join(lines) + newline).encode("latin-1"))


def exe(org, ent, sp, block):
    header = bytearray(512)
    header[0:8] = b"EXE\x00\x00\x02\x00\x00"
    for offset, value in ((16, org), (18, ent), (20, sp)):
        header[offset] = value & 0xFF
        header[offset + 1] = (value >> 8) & 0xFF
    return bytes(header) + bytes(block)


def text_lines(path):
    """Lines as quillet reads them: ended by CR LF, a lone CR or a lone LF, nothing else."""
    text = (HERE / path).read_bytes().decode("latin-1")
    lines = re.split(r"\r\n|\r|\n", text)
    return lines[:-1] if lines and lines[-1] == "" else lines


def data_records(path):
    """(address, bytes) of each data record in file order, in any of the three forms;
    reading stops at a Motorola or MOS Technology termination record."""
    for line in text_lines(path):
        if not line.strip(" "):
            continue
        if line[0] == ":":
            count, address, rtype = int(line[1:3], 16), int(line[3:7], 16), int(line[7:9], 16)
            if rtype == 0:
                yield address, bytes.fromhex(line[9:9 + 2 * count])
        elif line[0] == "S":
            width = {"1": 2, "2": 3, "3": 4, "7": 4, "8": 3, "9": 2}.get(line[1], 2)
            count = int(line[2:4], 16)
            if line[1] in "123":
                yield int(line[4:4 + 2 * width], 16), bytes.fromhex(line[4 + 2 * width:2 + 2 * count])
            elif line[1] in "789":
                return
        else:
            count = int(line[1:3], 16)
            if count == 0:
                return
            yield int(line[3:7], 16), bytes.fromhex(line[7:7 + 2 * count])


def exe_from_object(path):
    block = bytearray()
    org = None
    for address, data in data_records(path):
        org = address if org is None else org
        block += data
    return exe(org, org, (org // 16384) * 16384 + 0x3FFF, block)


def srec_cat(source, target, *options):
    """The same bytes in another form, as srec_cat (package srecord) writes them."""
    subprocess.run(["srec_cat", str(HERE / source), "-Intel", "-o", str(HERE / target), *options],
                   check=True)


def exe_from_listing(path):
    lines = text_lines(path)
    block = bytearray()
    org = None
    header = rule = False
    for line in lines:
        if not line.strip(" "):
            header = rule = False
            continue
        if header and rule:
            org = int(line[0:4], 16) if org is None else org
            block += bytes(int(pair, 16) for pair in line[5:].split())
        elif line == RULE and header:
            rule = True
        elif line == HEADER:
            header = True
    return exe(org, org, (org // 16384) * 16384 + 0x3FFF, block)


def memory_of(chunks):
    memory = {}
    for address, data in chunks:
        for i, b in enumerate(data):
            memory[address + i] = b
    return memory


def make_backwards():
    # Code at 9000h assembled first, its data table at 8000h after it: the object file
    # keeps that order, the listing's dump runs in address order.
    rng = random.Random(6502)
    chunks = [(0x9000, bytes(rng.randrange(256) for _ in range(40))),
              (0x8000, bytes(range(0x20, 0x20 + 30)))]
    write_text("backwards.obj", object_file(chunks))
    # The same records in MOS Technology form, in the same order, with CR LF line ends and
    # the Ctrl-Z that DOS tools put at the end of a text file.
    (HERE / "backwards-mos.obj").write_bytes(("\r\n".join(mos_file(chunks)) + "\r\n\x1a").encode("latin-1"))
    write_text("backwards.lst", source_lines(chunks, "backwards: code first, data below it") + [""] +
               dump_section(memory_of(chunks), 0x8000, 0x9000 + 39) + ["", "", "tasm: Number of errors = 0"])


def make_top16k():
    # A 6502 program filling the top 16K page, C000h to FFFFh, vectors included.
    rng = random.Random(16384)
    data = bytearray(rng.randrange(256) for _ in range(0x4000))
    data[-6:] = bytes([0x00, 0xC0, 0x00, 0xC0, 0x00, 0xC0])
    chunks = [(0xC000, bytes(data))]
    write_text("top16k.obj", object_file(chunks), "\r\n")
    write_text("top16k.lst", source_lines([(0xC000, bytes(data[:32]))], "top16k: a 16K ROM image for the 6502") + [""] +
               dump_section(memory_of(chunks), 0xC000, 0xFFFF) + ["", "tasm: Number of errors = 0"], "\r\n")


def make_paged():
    # An 8085 listing printed in pages: every 56 lines a form feed and a title line, then
    # a blank line. The memory dump starts on a page of its own.
    rng = random.Random(8085)
    chunks = [(0x4000, bytes(rng.randrange(256) for _ in range(600)))]
    out = []
    page = 1
    for line in source_lines(chunks, "paged: an 8085 listing in pages") + [None]:
        if len(out) % 56 == 0 or line is None:
            out += ["\f" + "TASM 8085 Assembler.    paged.asm    page %d" % page, ""]
            page += 1
        if line is not None:
            out.append(line)
    out += dump_section(memory_of(chunks), 0x4000, 0x4000 + 599) + ["", "tasm: Number of errors = 0"]
    write_text("paged.lst", out, "\r\n")
    write_text("paged.obj", object_file(chunks), "\r\n")


def make_other_forms():
    # Motorola S-records and MOS Technology hex made by srec_cat from the Intel HEX files,
    # in records of 24 bytes as the assembler writes them: S1 records with srec_cat's S0
    # header and an S5 count but no S9 (it knows no entry address); S2 records with an S8,
    # and S3 records with an S7, CR LF line ends.
    srec_cat("hello.obj", "hello-motorola.obj", "-Motorola", "-Output_Block_Size=24")
    srec_cat("hello.obj", "hello-mos.obj", "-MOS_Technologies", "-Output_Block_Size=24")
    srec_cat("split.obj", "split-motorola.obj", "-Motorola", "-address-length=3", "-Output_Block_Size=24",
             "-execution-start-address=0x8000")
    srec_cat("top16k.obj", "top16k-motorola.obj", "-Motorola", "-address-length=4", "-Output_Block_Size=24",
             "-execution-start-address=0xC000", "-CRLF")


# Each file in another form holds the bytes of an Intel HEX file: it must convert to that
# file's executable.
OTHER_FORMS = {"hello-motorola.obj": "hello.obj", "hello-mos.obj": "hello.obj",
               "split-motorola.obj": "split.obj", "top16k-motorola.obj": "top16k.obj",
               "backwards-mos.obj": "backwards.obj"}


def main():
    make_backwards()
    make_top16k()
    make_paged()
    make_other_forms()
    for obj in ["hello.obj", "hello-crlf.obj", "split.obj", "backwards.obj", "top16k.obj", "paged.obj"]:
        (HERE / "expected" / (obj[:-4].upper() + ".OBJ.EXE")).write_bytes(exe_from_object(obj))
    for obj, intel in OTHER_FORMS.items():
        assert exe_from_object(obj) == exe_from_object(intel), obj
    for lst in ["hello.lst", "hello-crlf.lst", "split.lst", "backwards.lst", "top16k.lst", "paged.lst"]:
        (HERE / "expected" / (lst[:-4].upper() + ".LST.EXE")).write_bytes(exe_from_listing(lst))


if __name__ == "__main__":
    main()
