#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/.

Run once from the repository root after building tarvex-cli (the JSON seeds are exports of the
samples): fuzz/make_corpus.py build/test/cli/tarvex-cli
The seeds are the shipped samples, images varied from the tone repeater for each coded-squelch
type and Mute Key setting, version-3 files, settings files and repeater conversations.
"""
import json
import pathlib
import struct
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent
CORPUS = ROOT / "corpus"
SAMPLES = ROOT.parent / "samples"
CLI = sys.argv[1] if len(sys.argv) > 1 else "build/test/cli/tarvex-cli"


def image_of(kvd):
    return bytearray(kvd[48:48 + 512])


def data_file(image, model=20, name="ZPT-410", firmware=1.0):
    return (b"QMTF4     " + bytes([model]) + name.encode().ljust(18)[:18] +
            struct.pack("<f", firmware) + bytes(13) + struct.pack("<h", 512) +
            bytes(image[:512]).ljust(512, b"\0") + b"\0")


def version3_file(image, model=20, name="ZPT-410"):
    return b"QMTF3" + bytes([model]) + name.encode() + bytes(image[:512]).ljust(513, b"\0")


def squelch(image, *bits):
    for i in range(96, 115):
        image[i] = 0
    for n in bits:
        image[96 + (n - 1) // 8] |= 1 << ((n - 1) % 8)
    return image


def varied(base, change):
    image = bytearray(base)
    change(image)
    return image


def write(target, name, content):
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(content if isinstance(content, bytes) else content.encode())


def conversation(image):
    hex_digits = "".join("%02X" % b for b in image[:128])
    return "??\0??\0??\0V:15\r\n\0G\r\n>" + hex_digits


samples = {p.stem: p.read_bytes() for p in sorted(SAMPLES.glob("*.kvd"))}
tone = image_of(samples["mk-tone-repeater"])

images = {name: image_of(kvd) for name, kvd in samples.items() if name != "legacy-v3"}
images.update({
    "slot-mk-tone-01": varied(tone, lambda i: squelch(i, 1)),
    "slot-mk-tone-51": varied(tone, lambda i: squelch(i, 51)),
    "slot-custom-mk": varied(tone, lambda i: squelch(i, 53)),
    "slot-dmk-023": varied(tone, lambda i: squelch(i, 57)),
    "slot-dmk-754": varied(tone, lambda i: squelch(i, 139)),
    "slot-dmk-pair": varied(tone, lambda i: squelch(i, 60, 100)),
    "slot-carrier": varied(tone, lambda i: squelch(i)),
    "ptt-none": varied(tone, lambda i: i.__setitem__(126, 255)),
    "ptt-mk-tone": varied(tone, lambda i: i.__setitem__(126, 12)),
    "ptt-dmk-023": varied(tone, lambda i: i.__setitem__(126, 128)),
    "ptt-dmk-754": varied(tone, lambda i: i.__setitem__(126, 210)),
    "ptt-custom-mk": varied(tone, lambda i: i.__setitem__(126, 53)),
    "mk-without-id": varied(tone, lambda i: i.__setitem__(116, i[116] | 4)),
    "polarity-both": varied(tone, lambda i: (squelch(i, 57), i.__setitem__(115, 3))),
    "monitor-carrier": varied(tone, lambda i: i.__setitem__(13, 1)),
    "no-identifier": varied(tone, lambda i: i.__setitem__(slice(21, 24), b"\xff\xff\0")),
    "time-out-off": varied(tone, lambda i: i.__setitem__(slice(11, 13), b"\xff\xff")),
    "bad-frequency": varied(tone, lambda i: i.__setitem__(0, 0xAB)),
})

for name, image in images.items():
    for target in ("decoder", "roundtrip_image", "roundtrip_screen"):
        write(target, name, bytes(image[:128]))
    write("link_reply", name, conversation(image))

files = {name: kvd for name, kvd in samples.items()}
files.update({
    "v4-model-7": data_file(tone, model=7),
    "v4-model-21": data_file(tone, model=21),
    "v4-short": samples["mk-tone-repeater"][:300],
    "v3-model-7": version3_file(tone, model=7),
    "v3-no-name": version3_file(tone, name=""),
    "v3-long-name": version3_file(tone, name="ZPT-410 SITE HILL 3"),
    "not-a-data-file": b"QMTF5" + bytes(556),
    "v4-dmk-pair": data_file(images["slot-dmk-pair"]),
    "v4-ptt-custom-mk": data_file(images["ptt-custom-mk"]),
})
for name, content in files.items():
    for target in ("data_file", "roundtrip_file"):
        write(target, name, content)

settings = {"readme-example": (ROOT.parent / "README.md").read_text().split("```json\n")[1]
            .split("```")[0]}
for name in samples:
    settings["export-" + name] = subprocess.run(
        [CLI, "export", str(SAMPLES / (name + ".kvd"))], check=True, capture_output=True,
        text=True).stdout
settings.update({
    "empty": "{}",
    "slots-by-row": json.dumps({"MKSlot": [52, 134], "PTTExtEnc": 128}),
    "times": json.dumps({"TXHangTime": "2.5", "SqlTailMuteTime": 0.5, "TXTimeOutTimer": 0}),
    "identity": json.dumps({"ModelCode": 20, "ModelName": "ZPT-410", "FirmwareVersion": 1.0}),
    "not-an-object": "[1, 2]",
})
for name, text in settings.items():
    for target in ("settings_json", "roundtrip_json"):
        write(target, name, text)

link = {
    "silent": "",
    "two-pings-only": "??\0??",
    "short-image": conversation(tone)[:-1],
    "lower-case-hex": conversation(tone).lower(),
    "bad-frequency-then-good": conversation(images["bad-frequency"]) + "\0" + conversation(tone),
}
for name, text in link.items():
    write("link_reply", name, text)

for name, text in {
    "port-1": "ComPort = 1\r\n",
    "port-3": "ComPort = 3\r\n",
    "port-12": "ComPort = 12\r\n",
    "port-letter": "ComPort = x\r\n",
    "short": "ComPort",
    "empty": "",
}.items():
    write("config_file", name, text)
