#!/usr/bin/env python3
"""Writes assets/bank/80-questions-rules.json: the demo bank's computed questions.

Number bases, binary arithmetic, machine codes, storage and media sizes, IPv4 subnets,
memory addressing, logic expressions, paging, binary-tree and search formulas, stacks and
queues. Every answer and explanation is computed here, so a question can never disagree
with its own explanation. The output is deterministic (fixed seed): run it again after
changing a template and commit the JSON together with this script.

    python3 tools/bankgen/generate_rule_questions.py [OUTPUT]
"""

import ipaddress
import itertools
import json
import math
import os
import random
import sys

SEED = 20261211
BLANK = "＿＿＿＿"
CHOICE = "（　　）"
LETTERS = "ABCDEF"

# Exam points (see assets/bank/20-catalogue.json).
P = {
    "base": "010001000001", "conv": "010001000002", "octhex": "010001000003",
    "binop": "010001000004", "logicop": "010001000005", "glyph": "010002000004",
    "units": "010003000001", "signcode": "010003000002", "overflow": "010003000004",
    "media": "010003000005", "netperf": "020001000004", "ipv4": "020002000001",
    "ipclass": "020002000003", "perf": "050001000004", "addr": "050002000005",
    "gates": "050003000004", "paging": "060002000001", "stackq": "070002000002",
    "tree": "070002000003", "complexity": "070002000005", "search": "070002000006",
}


class Bank:
    """Collects questions, numbering them per chapter from 5001 (hand-written ones start at 0001)."""

    def __init__(self, seed):
        self.rng = random.Random(seed)
        self.questions = []
        self.next = {}

    def _id(self, chapter):
        n = self.next.get(chapter, 5001)
        self.next[chapter] = n + 1
        return "%s%04d" % (chapter, n)

    def _add(self, chapter, qtype, text, answer, explanation, points, options=None):
        q = {"id": self._id(chapter), "chapter": chapter, "type": qtype, "text": para(text)}
        if options is not None:
            q["options"] = options
        q["answer"] = answer
        q["explanation"] = para(explanation)
        q["points"] = [P[p] for p in points.split()]
        check(q)
        self.questions.append(q)

    def single(self, chapter, text, right, wrong, explanation, points):
        """A single choice: the right option among distinct wrong ones, shuffled."""
        options = [right] + list(wrong)
        assert len(set(options)) == len(options), options
        self.rng.shuffle(options)
        self._add(chapter, 61, text, LETTERS[options.index(right)], explanation, points, options)

    def multiple(self, chapter, text, right, wrong, explanation, points):
        options = list(right) + list(wrong)
        assert len(set(options)) == len(options) and len(right) >= 2, options
        self.rng.shuffle(options)
        answer = "".join(sorted(LETTERS[options.index(r)] for r in right))
        self._add(chapter, 65, text, answer, explanation, points, options)

    def judge(self, chapter, text, truth, explanation, points):
        self._add(chapter, 62, text, "A" if truth else "B", explanation, points)

    def fill(self, chapter, text, answers, explanation, points):
        answers = [str(a) for a in answers]
        assert text.count(BLANK) == len(answers), text
        self._add(chapter, 64, text, ",".join(answers), explanation, points)

    def worked(self, chapter, text, model, points):
        self._add(chapter, 74, text, "1", model, points)


def para(html):
    return html if html.startswith("<") else "<p>%s</p>" % html


def check(q):
    t, a = q["type"], q["answer"]
    if t in (61, 65):
        assert CHOICE in q["text"], q["id"]
        assert 2 <= len(q["options"]) <= 6
    if t == 64:
        assert all(part and part.strip() == part for part in a.split(",")), q["id"]
        assert ", " not in a and "，" not in a


# ---------------------------------------------------------------- helpers

def b(n, width=0):
    return format(n, "b").zfill(width)


def sub(text, base):
    return "%s<sub>%d</sub>" % (text, base)


def in_base(n, base):
    digits = "0123456789ABCDEF"
    if n == 0:
        return "0"
    out = ""
    while n:
        out = digits[n % base] + out
        n //= base
    return out


def division_steps(n, base):
    """'除 R 取余' steps as text: 25÷2=12 余 1，…"""
    steps = []
    while n:
        steps.append("%d÷%d=%d 余 %s" % (n, base, n // base, in_base(n % base, 16)))
        n //= base
    return "，".join(steps)


def expand(digits, base):
    """Positional expansion of an integer written in `base`: 2×16<sup>1</sup> + …"""
    terms = []
    k = len(digits) - 1
    for d in digits:
        terms.append("%d×%d<sup>%d</sup>" % (int(d, 16), base, k))
        k -= 1
    return " + ".join(terms)


def group_bits(bits, size):
    pad = (-len(bits)) % size
    bits = "0" * pad + bits
    return [bits[i:i + size] for i in range(0, len(bits), size)]


def twos(n, width=8):
    return b(n & ((1 << width) - 1), width)


def dotted(addr):
    return str(ipaddress.IPv4Address(addr))


def mask_of(prefix):
    return dotted((0xFFFFFFFF << (32 - prefix)) & 0xFFFFFFFF)


# ---------------------------------------------------------------- number bases (040102)

def number_bases(bank):
    rng = bank.rng
    ch = "040102"

    n = rng.choice([n for n in range(150, 240) if bin(n).count("1") in (4, 5)])
    right = b(n)
    wrong = set()
    for flip in (1, 4, 16):
        wrong.add(b(n ^ flip))
    wrong.add(right[::-1] if right[::-1] != right else b(n + 2))
    wrong = sorted(w for w in wrong if w != right)[:3]
    bank.single(ch, "十进制数 %d 转换成二进制数是%s。" % (n, CHOICE), right, wrong,
                "除 2 取余，余数倒序排列：%s，得 %s。验算：%s = %d。"
                % (division_steps(n, 2), sub(right, 2), expand(right, 2), n), "conv")

    n = rng.randrange(0x9A1, 0xEFE)
    bits = b(n)
    groups = group_bits(bits, 4)
    right = "%X" % n
    wrong = {"%X" % int(bits[:4], 2) + "%X" % int(bits[4:8], 2) + "%X" % int(bits[8:], 2) if len(bits) == 12
             else right[::-1],
             in_base(n, 8), right[::-1], "%X" % (n ^ 0x10)}
    wrong = [w for w in sorted(wrong) if w != right][:3]
    bank.single(ch, "二进制数 %s 对应的十六进制数是%s。" % (sub(bits, 2), CHOICE), sub(right, 16),
                [sub(w, 16) for w in wrong],
                "从最低位起每 4 位一组：%s，每组对应一位十六进制数，得 %s。"
                % (" ".join(groups), sub(right, 16)), "octhex")

    # The largest and the smallest of four values written in four bases.
    for ask, pick in (("最大", max), ("最小", min)):
        values = rng.sample(range(90, 130), 4)
        forms = [(values[0], sub(b(values[0]), 2)), (values[1], sub(in_base(values[1], 8), 8)),
                 (values[2], sub(str(values[2]), 10)), (values[3], sub(in_base(values[3], 16), 16))]
        target = pick(forms)
        worked = "，".join("%s = %d" % (f, v) for v, f in forms)
        bank.single(ch, "下列各数中，数值%s的是%s。" % (ask, CHOICE), target[1],
                    [f for v, f in forms if f != target[1]],
                    "统一换算成十进制再比较：%s，%s的是 %s。" % (worked, ask, target[1]), "conv base")

    n = rng.randrange(0x1A0, 0x3FF)
    h = "%X" % n
    bank.fill(ch, "十六进制数 %s 转换为十进制数是%s。" % (h, BLANK), [n],
              "按位权展开：%s = %d。" % (expand(h, 16), n), "conv base")

    n = rng.randrange(0o301, 0o777)
    o = in_base(n, 8)
    bank.fill(ch, "八进制数 %s 转换为二进制数是%s。" % (o, BLANK), [b(n)],
              "每位八进制数展开为 3 位二进制数：%s，去掉最高位的 0 得 %s。"
              % ("、".join("%s→%s" % (d, b(int(d), 3)) for d in o), b(n)), "octhex")

    frac = rng.choice([(11, 16), (13, 16), (3, 8), (7, 16)])
    value = frac[0] / frac[1]
    bits, x, steps = "", value, []
    while x:
        x2 = x * 2
        steps.append("%s×2 = %s 取 %d" % (fmt(x), fmt(x2), int(x2)))
        bits += str(int(x2))
        x = x2 - int(x2)
    bank.fill(ch, "十进制小数 %s 转换为二进制小数是%s。" % (fmt(value), BLANK), ["0." + bits],
              "乘 2 取整，整数部分顺序排列：%s，得 0.%s<sub>2</sub>。" % ("；".join(steps), bits), "conv")

    n = rng.randrange(40, 90)
    bank.judge(ch, "八进制数 %s 与十六进制数 %s 相等。" % (in_base(n, 8), in_base(n, 16)), True,
               "%s = %s = %d，二者都等于十进制数 %d。"
               % (sub(in_base(n, 8), 8), sub(in_base(n, 16), 16), n, n), "octhex conv")
    m = n + rng.choice([2, 6, 10])
    while m == n or in_base(m, 8) == in_base(n, 8):
        m += 1
    bank.judge(ch, "二进制数 %s 与八进制数 %s 相等。" % (b(m), in_base(n, 8)), False,
               "%s = %d，而 %s = %d，二者不相等。也可以把二进制数每 3 位一组直接写成八进制数 %s 来比较。"
               % (sub(b(m), 2), m, sub(in_base(n, 8), 8), n, sub(in_base(m, 8), 8)), "octhex")

    n = rng.choice([n for n in range(33, 63) if in_base(n, 8)[-1] != in_base(n, 16)[-1]])
    right = [sub(b(n), 2), sub(in_base(n, 8), 8), sub(in_base(n, 16), 16)]
    wrong = [sub(in_base(n + 1, 8), 8), sub(in_base(n - 1, 16), 16)]
    bank.multiple(ch, "下列数值中，与十进制数 %d 相等的有%s。" % (n, CHOICE), right, wrong,
                  "%d = %s = %s = %s；%s = %d，%s = %d。"
                  % (n, right[0], right[1], right[2], wrong[0], n + 1, wrong[1], n - 1), "conv octhex")

    r = rng.choice([5, 6, 7, 9])
    digits = (2, rng.choice([1, 3, 4]))
    value = digits[0] * r + digits[1]
    bank.fill(ch, "某进制数 %d%d 等于十进制数 %d，则该数制的基数为%s。" % (digits[0], digits[1], value, BLANK),
              [r], "设基数为 R，则 %d×R + %d = %d，解得 R = %d（且数码 %d、%d 都小于 R，合法）。"
              % (digits[0], digits[1], value, r, digits[0], digits[1]), "base")


def fmt(x):
    """A number without trailing zeros: 2, 2.5, 0.375."""
    return ("%.6f" % x).rstrip("0").rstrip(".")


# ---------------------------------------------------------------- binary arithmetic (040103)

def binary_arithmetic(bank):
    rng = bank.rng
    ch = "040103"
    a, c = rng.randrange(0b100101, 0b111111), rng.randrange(0b10011, 0b111111)
    bank.fill(ch, "二进制加法 %s + %s 的结果是%s（用二进制表示）。" % (b(a), b(c), BLANK), [b(a + c)],
              "逢二进一逐位相加，得 %s。验算：%d + %d = %d。" % (sub(b(a + c), 2), a, c, a + c), "binop")

    a, c = rng.randrange(0b1100100, 0b1111111), rng.randrange(0b100101, 0b1011111)
    right = b(a - c)
    wrong = {b(a + c), b((a - c) ^ 2), b(a ^ c) if a ^ c != a - c else b(a - c + 4)}
    bank.single(ch, "二进制减法 %s - %s 的结果是%s。" % (b(a), b(c), CHOICE), right,
                [w for w in sorted(wrong) if w != right][:3],
                "借一当二逐位相减，得 %s。验算：%d - %d = %d。" % (sub(right, 2), a, c, a - c), "binop")

    a, c = rng.choice([0b101, 0b111, 0b1101]), rng.choice([0b11, 0b101])
    bank.fill(ch, "二进制乘法 %s × %s 的结果是%s（用二进制表示）。" % (b(a), b(c), BLANK), [b(a * c)],
              "二进制乘法可转化为移位相加：%s × %s = %s。验算：%d × %d = %d。"
              % (b(a), b(c), " + ".join(b(a << i) for i in range(c.bit_length()) if c >> i & 1), a, c, a * c),
              "binop")

    x = rng.randrange(0b10010000, 0b11111111)
    shifted = x >> 2
    bank.judge(ch, "8 位无符号二进制数 %s 逻辑右移 2 位（高位补 0，移出的位舍去）后，等于十进制数 %d。"
               % (b(x, 8), shifted), True,
               "右移后为 %s = %d，相当于 %d ÷ 4 取整数部分。" % (b(shifted, 8), shifted, x), "binop")


# ---------------------------------------------------------------- machine codes (040301)

def machine_codes(bank):
    rng = bank.rng
    ch = "040301"
    picks = rng.sample(range(19, 120), 3)

    n = picks[0]
    bank.fill(ch, "十进制数 -%d 的 8 位补码是%s。" % (n, BLANK), [twos(-n)],
              "%d 的二进制为 %s，-%d 的原码为 1%s，反码为 1%s，末位加 1 得补码 %s。"
              % (n, b(n, 7), n, b(n, 7), b(~n & 0x7F, 7), twos(-n)), "signcode")

    n = picks[1]
    bank.fill(ch, "十进制数 -%d 的 8 位反码是%s。" % (n, BLANK), ["1" + b(~n & 0x7F, 7)],
              "原码为 1%s（符号位 1，数值位为 %d 的二进制），符号位不变、数值位按位取反得反码 1%s。"
              % (b(n, 7), n, b(~n & 0x7F, 7)), "signcode")

    n = picks[2]
    code = twos(-n)
    right = str(-n)
    wrong = [str(int(code, 2)), str(-int(code[1:], 2)), str(-(int(code[1:], 2) ^ 0x7F))]
    bank.single(ch, "8 位补码 %s 表示的十进制数是%s。" % (code, CHOICE), right,
                [w for w in wrong if w != right],
                "符号位为 1，是负数。对补码再求补（数值位取反后加 1）得绝对值 %s = %d，所以表示 -%d。"
                "把它当作无符号数是 %d，当作原码是 %s。" % (b(n, 7), n, n, int(code, 2), wrong[1]), "signcode")

    bits = rng.choice([12, 16])
    low = -(1 << (bits - 1))
    bank.fill(ch, "%d 位补码能表示的最小整数是%s，最大整数是%s（用十进制表示）。" % (bits, BLANK, BLANK),
              [low, -low - 1],
              "n 位补码的范围是 -2<sup>n-1</sup>～2<sup>n-1</sup>-1，n = %d 时为 %d～%d。" % (bits, low, -low - 1),
              "signcode")

    for overflow in (True, False):
        while True:
            x, y = rng.randrange(40, 110), rng.randrange(40, 110)
            sign = rng.choice([1, -1])
            total = sign * (x + y)
            if (total > 127 or total < -128) == overflow:
                break
        a, c = sign * x, sign * y
        reason = ("两个%s数相加，结果 %d 超出了 8 位补码的范围 -128～127，运算后符号位与两个加数相反，发生溢出。"
                  % ("正" if sign > 0 else "负", total)) if overflow else \
                 ("结果 %d 在 8 位补码的范围 -128～127 之内，不会溢出：%s + %s = %s。"
                  % (total, twos(a), twos(c), twos(total)))
        bank.judge(ch, "用 8 位补码计算 (%d) + (%d) 会发生溢出。" % (a, c), overflow, reason, "overflow signcode")


# ---------------------------------------------------------------- storage and media (040303, 040202)

def storage_and_media(bank):
    rng = bank.rng
    ch = "040303"
    w, h, depth = rng.choice([(800, 600, 24), (1280, 1024, 16), (640, 480, 32)])
    size = w * h * depth // 8
    kb = size / 1024
    right = "%s KB" % fmt(kb)
    wrong = ["%s KB" % fmt(kb * 8), "%s KB" % fmt(size / 1000), "%s KB" % fmt(w * h / 1024)]
    bank.single(ch, "一幅分辨率为 %d×%d、颜色深度为 %d 位的未压缩位图，数据量约为%s。" % (w, h, depth, CHOICE),
                right, [x for x in wrong if x != right],
                "数据量 = %d × %d × %d ÷ 8 = %d 字节，%d ÷ 1024 = %s KB。注意位要除以 8 换算成字节。"
                % (w, h, depth, size, size, fmt(kb)), "media units")

    rate, bits, seconds = rng.choice([(16000, 16, 64), (32000, 8, 32), (8000, 16, 128)])
    channels = 2
    size = rate * bits * channels * seconds // 8
    bank.fill(ch, "以 %d kHz 采样频率、%d 位量化录制双声道声音 %d 秒，未压缩时数据量为%s KB（1 KB 按 1000 字节计）。"
              % (rate // 1000, bits, seconds, BLANK), [size // 1000],
              "数据量 = %d × %d × 2 × %d ÷ 8 = %d 字节 = %d KB。" % (rate, bits, seconds, size, size // 1000),
              "media")

    gb = rng.choice([1.5, 2.5, 3.5])
    bank.fill(ch, "一个 %s GB 的文件，大小等于%s MB。" % (fmt(gb), BLANK), [int(gb * 1024)],
              "1 GB = 1024 MB，%s × 1024 = %d MB。" % (fmt(gb), int(gb * 1024)), "units")

    depth = rng.choice([8, 16])
    bank.single(ch, "颜色深度为 %d 位的图像，每个像素最多能表示%s种颜色。" % (depth, CHOICE), str(2 ** depth),
                [str(depth), str(depth * 8), str(2 ** depth - 1) if depth == 16 else str(2 ** (depth * 2))],
                "n 位二进制数有 2<sup>n</sup> 种不同的组合，2<sup>%d</sup> = %d。" % (depth, 2 ** depth), "media")

    mbit, mb = rng.choice([(100, 75), (20, 50), (8, 30)])
    seconds = mb * 2 ** 20 * 8 / (mbit * 10 ** 6)
    bank.worked(ch, "计算：在传输速率为 %d Mbit/s 的网络上传送一个 %d MB 的文件，不计协议开销，至少需要多少秒？"
                "（文件大小中 1 MB = 2<sup>20</sup> 字节，传输速率中 1 Mbit/s = 10<sup>6</sup> bit/s。）" % (mbit, mb),
                "<p>文件大小 = %d × 2<sup>20</sup> × 8 = %d 位。</p><p>时间 = %d ÷ (%d × 10<sup>6</sup>) ≈ <b>%.2f 秒</b>。</p>"
                "<p>要点：存储容量以字节计、按 2<sup>10</sup> 进位，传输速率以位计、按 10<sup>3</sup> 进位，计算前要统一单位。</p>"
                % (mb, mb * 2 ** 20 * 8, mb * 2 ** 20 * 8, mbit, seconds), "units netperf")

    n = rng.choice([50, 100, 300])
    bank.fill("040202", "存储 %d 个 24×24 点阵汉字的字形，需要%s字节。" % (n, BLANK), [n * 72],
              "每个 24×24 点阵汉字占 24 × 24 ÷ 8 = 72 字节，%d 个共 %d 字节。" % (n, n * 72), "glyph")


# ---------------------------------------------------------------- IPv4 subnets (050201)

def subnets(bank):
    rng = bank.rng
    ch = "050201"
    for prefix in rng.sample([19, 20, 21, 26, 27, 29], 2):
        bank.fill(ch, "前缀长度 /%d 对应的子网掩码（点分十进制）是%s。" % (prefix, BLANK), [mask_of(prefix)],
                  "/%d 表示前 %d 位为 1、其余 %d 位为 0，每 8 位换算成一个十进制数，得 %s。"
                  % (prefix, prefix, 32 - prefix, mask_of(prefix)), "ipv4")

    for prefix in rng.sample([22, 23, 25, 28, 30], 2):
        hostbits = 32 - prefix
        bank.fill(ch, "子网掩码为 %s 的网络中，最多可以分配给主机的地址有%s个。" % (mask_of(prefix), BLANK),
                  [2 ** hostbits - 2],
                  "掩码中 0 的位数即主机位数，为 %d 位，可用地址数为 2<sup>%d</sup> - 2 = %d（去掉网络地址和广播地址）。"
                  % (hostbits, hostbits, 2 ** hostbits - 2), "ipv4")

    # Network address and broadcast address of one host each.
    for ask in ("network", "broadcast"):
        prefix = rng.choice([26, 27, 28]) if ask == "network" else rng.choice([20, 21, 22])
        host = ipaddress.IPv4Address(rng.choice([0xC0A80000, 0xAC100000, 0x0A000000]) + rng.randrange(1, 0xFFFE))
        net = ipaddress.IPv4Network("%s/%d" % (host, prefix), strict=False)
        if ask == "network":
            bank.fill(ch, "IP 地址 %s、子网掩码 %s 的主机所在网络的网络地址是%s。" % (host, net.netmask, BLANK),
                      [net.network_address],
                      "IP 地址与子网掩码按位相与：%s 的最后一个字节 %d = %s，与掩码字节 %d = %s 相与得 %s = %d，"
                      "所以网络地址为 %s。"
                      % (host, host.packed[3], b(host.packed[3], 8), net.netmask.packed[3],
                         b(net.netmask.packed[3], 8), b(host.packed[3] & net.netmask.packed[3], 8),
                         host.packed[3] & net.netmask.packed[3], net.network_address), "ipv4")
        else:
            bank.fill(ch, "主机地址为 %s/%d，它所在网络的广播地址是%s。" % (host, prefix, BLANK),
                      [net.broadcast_address],
                      "/%d 的网络地址为 %s（第三个字节 %d 与 %d 相与），把 %d 位主机位全部置 1 得广播地址 %s。"
                      % (prefix, net.network_address, host.packed[2], net.netmask.packed[2], 32 - prefix,
                         net.broadcast_address), "ipv4")

    # Which address shares the subnet.
    prefix = 27
    base = ipaddress.IPv4Address("192.168.%d.0" % rng.randrange(2, 250))
    block = rng.randrange(1, 7) * 32
    me = ipaddress.IPv4Address(int(base) + block + rng.randrange(2, 29))
    net = ipaddress.IPv4Network("%s/%d" % (me, prefix), strict=False)
    right = ipaddress.IPv4Address(int(net.network_address) + rng.randrange(1, 31))
    while right == me:
        right += 1
    wrong = [net.network_address - 1 - rng.randrange(0, 10), net.broadcast_address + 1 + rng.randrange(0, 10),
             net.broadcast_address + 33]
    bank.single(ch, "与 IP 地址 %s/27 属于同一个子网的主机地址是%s。" % (me, CHOICE), str(right),
                [str(w) for w in wrong],
                "/27 的子网每 32 个地址一块，%s 所在子网为 %s～%s（其中首尾为网络地址和广播地址），只有 %s 在这个范围内。"
                % (me, net.network_address, net.broadcast_address, right), "ipv4")

    # Mask for a number of subnets of a given size.
    subnets_needed, hosts_needed = rng.choice([(6, 25), (3, 50), (12, 10)])
    borrow = math.ceil(math.log2(subnets_needed))
    prefix = 24 + borrow
    assert 2 ** (32 - prefix) - 2 >= hosts_needed
    third = rng.randrange(1, 250)
    right = mask_of(prefix)
    wrong = [mask_of(p) for p in (prefix - 1, prefix + 1, prefix + 2) if p != prefix]
    bank.single(ch, "把网络 202.115.%d.0/24 划分为 %d 个子网，每个子网至少容纳 %d 台主机，应采用的子网掩码是%s。"
                % (third, subnets_needed, hosts_needed, CHOICE), right, wrong,
                "%d 个子网至少要借 %d 位主机位（2<sup>%d</sup> = %d ≥ %d），前缀为 /%d，掩码 %s；"
                "剩余 %d 位主机位，每个子网可用 2<sup>%d</sup> - 2 = %d 个地址 ≥ %d，满足要求。"
                % (subnets_needed, borrow, borrow, 2 ** borrow, subnets_needed, prefix, right, 32 - prefix,
                   32 - prefix, 2 ** (32 - prefix) - 2, hosts_needed), "ipv4")

    hosts = rng.choice([60, 120, 500])
    hostbits = math.ceil(math.log2(hosts + 2))
    bank.fill(ch, "某部门有 %d 台计算机需要分配 IP 地址，为它分配的子网前缀长度最长可以是 /%s。" % (hosts, BLANK),
              [32 - hostbits],
              "需满足 2<sup>n</sup> - 2 ≥ %d，最小的 n 为 %d（2<sup>%d</sup> - 2 = %d），所以前缀最长为 32 - %d = %d。"
              % (hosts, hostbits, hostbits, 2 ** hostbits - 2, hostbits, 32 - hostbits), "ipv4")

    # Same subnet or not.
    for same in (True, False):
        prefix = rng.choice([25, 26, 28]) if same else rng.choice([26, 27])
        third = rng.randrange(1, 250)
        a = ipaddress.IPv4Address("10.20.%d.%d" % (third, rng.randrange(1, 60)))
        net_a = ipaddress.IPv4Network("%s/%d" % (a, prefix), strict=False)
        if same:
            c = ipaddress.IPv4Address(int(net_a.broadcast_address) - rng.randrange(1, 4))
        else:
            c = ipaddress.IPv4Address(int(net_a.broadcast_address) + rng.randrange(2, 20))
        net_c = ipaddress.IPv4Network("%s/%d" % (c, prefix), strict=False)
        assert (net_a == net_c) == same
        bank.judge(ch, "在子网掩码为 %s 时，主机 %s 与主机 %s 处于同一个子网。" % (mask_of(prefix), a, c), same,
                   "两个地址分别与掩码相与，得到的网络地址为 %s 和 %s，%s。"
                   % (net_a.network_address, net_c.network_address, "相同，属于同一子网" if same else "不同，属于不同子网"),
                   "ipv4")

    prefix = 28
    net = ipaddress.IPv4Network("172.16.%d.%d/28" % (rng.randrange(1, 250), 16 * rng.randrange(1, 14)))
    hosts = list(net.hosts())
    right = [str(hosts[0]), str(hosts[rng.randrange(3, 10)]), str(hosts[-1])]
    wrong = [str(net.network_address), str(net.broadcast_address)]
    bank.multiple(ch, "下列 IP 地址中，可以分配给网络 %s 中主机使用的有%s。" % (net, CHOICE), right, wrong,
                  "/28 的网络共 16 个地址：%s 是网络地址，%s 是广播地址，都不能分配；可用地址为 %s～%s。"
                  % (net.network_address, net.broadcast_address, hosts[0], hosts[-1]), "ipv4")

    net = ipaddress.IPv4Network("192.168.%d.%d/%d" % (rng.randrange(1, 250), 64 * rng.randrange(0, 3), 26))
    hosts = list(net.hosts())
    right = str(hosts[-1])
    wrong = [str(net.broadcast_address), str(hosts[-2]), str(net.broadcast_address + 1)]
    bank.single(ch, "网络 %s 中，可以分配给主机的最后一个地址是%s。" % (net, CHOICE), right, wrong,
                "/26 的块大小为 64，该网络为 %s～%s，最后一个地址 %s 是广播地址，所以最后一个可分配的地址是 %s。"
                % (net.network_address, net.broadcast_address, net.broadcast_address, right), "ipv4")


# ---------------------------------------------------------------- memory and performance (10)

def memory_and_performance(bank):
    rng = bank.rng
    mb = rng.choice([16, 64, 256])
    lines = 20 + int(math.log2(mb))
    bank.single("100301", "某计算机按字节编址，主存容量为 %d MB，则访问主存至少需要%s根地址线。" % (mb, CHOICE),
                str(lines), [str(lines - 1), str(lines + 1), str(mb)],
                "%d MB = %d × 2<sup>20</sup> = 2<sup>%d</sup> 字节，按字节编址需要 2<sup>%d</sup> 个地址，即 %d 根地址线。"
                % (mb, mb, lines, lines, lines), "addr")

    start, kb = rng.choice([(0x4000, 16), (0x8000, 32), (0x2000, 8)])
    end = start + kb * 1024 - 1
    bank.fill("100301", "某存储区的地址范围为 %04XH～%04XH，按字节编址，其容量为%s KB。" % (start, end, BLANK), [kb],
              "单元个数 = %04XH - %04XH + 1 = %X H = %d，%d ÷ 1024 = %d KB。"
              % (end, start, end - start + 1, end - start + 1, end - start + 1, kb), "addr")

    chip_k, chip_b, want_k, want_b = rng.choice([(4, 4, 16, 8), (2, 8, 16, 16), (8, 1, 32, 8)])
    chips = (want_k // chip_k) * (want_b // chip_b)
    bank.fill("100301", "用 %dK×%d 位的存储芯片组成 %dK×%d 位的存储器，共需要%s片芯片。"
              % (chip_k, chip_b, want_k, want_b, BLANK), [chips],
              "字方向需要 %d ÷ %d = %d 组，位方向每组需要 %d ÷ %d = %d 片，共 %d × %d = %d 片。"
              % (want_k, chip_k, want_k // chip_k, want_b, chip_b, want_b // chip_b, want_k // chip_k,
                 want_b // chip_b, chips), "addr")

    start = rng.choice([0x10000, 0x20000, 0xA0000])
    kb = rng.choice([64, 128])
    end = start + kb * 1024 - 1
    right = "%05XH" % end
    wrong = ["%05XH" % (end + 1), "%05XH" % (start + kb * 1000 - 1), "%05XH" % (start + kb * 512 - 1)]
    bank.single("100301", "一块容量为 %d KB 的存储区从地址 %05XH 开始连续编址（按字节），其末地址是%s。"
                % (kb, start, CHOICE), right, wrong,
                "%d KB = %d = %XH 个单元，末地址 = 起始地址 + 单元数 - 1 = %05XH + %XH - 1 = %s。"
                % (kb, kb * 1024, kb * 1024, start, kb * 1024, right), "addr")

    mhz, cpi = rng.choice([(800, 2), (1200, 1.5), (2400, 3)])
    bank.fill("100102", "某 CPU 主频为 %d MHz，执行程序的平均 CPI 为 %s，则它的运算速度为%s MIPS。"
              % (mhz, fmt(cpi), BLANK), [int(mhz / cpi)],
              "MIPS = 主频（MHz）÷ CPI = %d ÷ %s = %d，即每秒执行 %d 百万条指令。"
              % (mhz, fmt(cpi), int(mhz / cpi), int(mhz / cpi)), "perf")


# ---------------------------------------------------------------- logic (100501)

def evaluate(expr, env):
    """Evaluates the bank's notation: AB is AND, + is OR, X' is NOT, parentheses."""
    py = ""
    i = 0
    prev_operand = False
    while i < len(expr):
        ch = expr[i]
        if ch in "ABC" or ch == "(":
            if prev_operand:
                py += " and "
            py += "(" if ch == "(" else "v['%s']" % ch
            prev_operand = ch != "("
        elif ch == ")":
            py += ")"
            prev_operand = True
        elif ch == "+":
            py += " or "
            prev_operand = False
        elif ch == "'":
            # Negate the operand just closed: a variable or a parenthesised group.
            if py.endswith(")") and not py.endswith("])"):
                depth, j = 0, len(py) - 1
                while True:
                    if py[j] == ")":
                        depth += 1
                    elif py[j] == "(":
                        depth -= 1
                        if depth == 0:
                            break
                    j -= 1
                py = py[:j] + "(not " + py[j:] + ")"
            else:
                j = py.rfind("v[")
                py = py[:j] + "(not " + py[j:] + ")"
        elif ch == "·":
            pass
        i += 1
    return bool(eval(py, {}, {"v": env}))


def logic(bank):
    rng = bank.rng
    ch = "100501"
    cases = [("A'B + AC", True), ("(A + B')C", False), ("(AB)' + C", None)]
    for expr, want in cases:
        # Pick inputs giving the wanted value (None: whichever the draw gives).
        combos = list(itertools.product((0, 1), repeat=3))
        rng.shuffle(combos)
        for a, b_, c in combos:
            value = evaluate(expr, {"A": a, "B": b_, "C": c})
            if want is None or value == want:
                break
        claim = rng.choice([value, not value]) if want is None else True
        env = {"A": a, "B": b_, "C": c}
        bank.judge(ch, "当 A = %d、B = %d、C = %d 时，逻辑表达式 F = %s 的值为 %d（X' 表示 X 的非）。"
                   % (a, b_, c, expr, 1 if claim else 0), claim == value,
                   "代入计算：F = %s = %d，所以题中的说法%s。" % (substitute(expr, env), int(value),
                                                         "正确" if claim == value else "错误"), "gates")

    expr = "AB + BC + AC"
    rows = [r for r in itertools.product((0, 1), repeat=3) if evaluate(expr, dict(zip("ABC", r)))]
    bank.fill(ch, "三变量逻辑函数 F = AB + BC + AC 的真值表中，F = 1 的行有%s行。" % BLANK, [len(rows)],
              "F 在至少两个变量为 1 时为 1（三人表决电路），满足的输入组合为 %s，共 %d 行。"
              % ("、".join("".join(map(str, r)) for r in rows), len(rows)), "gates")

    target = "(A + B)(A + C)"
    options = ["A + BC", "AB + C", "A + B + C", "ABC"]
    table = list(itertools.product((0, 1), repeat=3))
    same = [o for o in options if all(evaluate(o, dict(zip("ABC", r))) == evaluate(target, dict(zip("ABC", r)))
                                      for r in table)]
    assert same == ["A + BC"]
    bank.single(ch, "与逻辑表达式 F = (A + B)(A + C) 等价的是%s。" % CHOICE, "F = A + BC",
                ["F = " + o for o in options if o != "A + BC"],
                "展开：(A + B)(A + C) = A + AC + AB + BC = A(1 + C + B) + BC = A + BC（分配律和吸收律）。"
                "也可以列出 8 种输入组合的真值表逐一比较。", "gates")


def substitute(expr, env):
    """The expression with the inputs put in: a negated variable shows its negated value,
    adjacent operands get an explicit "·"."""
    out = ""
    i = 0
    while i < len(expr):
        ch = expr[i]
        if ch in env:
            negated = i + 1 < len(expr) and expr[i + 1] == "'"
            if out and (out[-1].isdigit() or out[-1] in ")'"):
                out += "·"
            out += str(1 - env[ch] if negated else env[ch])
            i += 2 if negated else 1
            continue
        if ch == "(" and out and (out[-1].isdigit() or out[-1] in ")'"):
            out += "·"
        out += ch
        i += 1
    return out


# ---------------------------------------------------------------- paging (110301)

def paging(bank):
    rng = bank.rng
    ch = "110301"
    for size_kb in (1, 4):
        size = size_kb * 1024
        page = rng.randrange(2, 9)
        offset = rng.randrange(100, size - 100)
        logical = page * size + offset
        bank.fill(ch, "分页存储管理中页面大小为 %d KB，逻辑地址 %d（十进制）所在的页号是%s，页内偏移是%s。"
                  % (size_kb, logical, BLANK, BLANK), [page, offset],
                  "页号 = %d ÷ %d 的商 = %d，页内偏移 = %d mod %d = %d。"
                  % (logical, size, page, logical, size, offset), "paging")

    frames = rng.sample(range(3, 15), 4)
    page = rng.randrange(0, 4)
    offset = rng.randrange(200, 900)
    logical = page * 1024 + offset
    physical = frames[page] * 1024 + offset
    table = "".join("<tr><td>%d</td><td>%d</td></tr>" % (p, f) for p, f in enumerate(frames))
    wrong = [frames[page] * 1000 + offset, page * 1024 + offset + frames[page], frames[(page + 1) % 4] * 1024 + offset]
    bank.single(ch, '<p>某进程的页表如下，页面大小为 1 KB。逻辑地址 %d（十进制）对应的物理地址是%s。</p>'
                '<table border="1" cellpadding="3"><tr><th>页号</th><th>页框号</th></tr>%s</table>'
                % (logical, CHOICE, table), str(physical), [str(w) for w in wrong if w != physical],
                "页号 = %d ÷ 1024 = %d，偏移 = %d；查页表得页框号 %d，物理地址 = %d × 1024 + %d = %d。"
                % (logical, page, offset, frames[page], frames[page], offset, physical), "paging")


# ---------------------------------------------------------------- data structures (21)

def data_structures(bank):
    rng = bank.rng
    n2, n1 = rng.randrange(8, 30), rng.randrange(3, 12)
    bank.fill("210201", "一棵二叉树中有 %d 个度为 2 的结点、%d 个度为 1 的结点，则它的叶子结点有%s个。" % (n2, n1, BLANK),
              [n2 + 1], "任何二叉树中 n<sub>0</sub> = n<sub>2</sub> + 1 = %d + 1 = %d，与度为 1 的结点数无关。"
              % (n2, n2 + 1), "tree")

    k = rng.choice([5, 6, 7])
    bank.single("210201", "深度为 %d 的二叉树最多有%s个结点。" % (k, CHOICE), str(2 ** k - 1),
                [str(2 ** (k - 1)), str(2 ** k), str(2 * k)],
                "深度为 k 的二叉树最多有 2<sup>k</sup> - 1 个结点（满二叉树），2<sup>%d</sup> - 1 = %d。"
                % (k, 2 ** k - 1), "tree")

    n = rng.choice([100, 150, 300])
    depth = n.bit_length()
    bank.fill("210201", "具有 %d 个结点的完全二叉树的深度为%s。" % (n, BLANK), [depth],
              "完全二叉树的深度为 ⌊log<sub>2</sub>n⌋ + 1。2<sup>%d</sup> = %d ≤ %d &lt; %d = 2<sup>%d</sup>，深度为 %d。"
              % (depth - 1, 2 ** (depth - 1), n, 2 ** depth, depth, depth), "tree")

    n = rng.choice([75, 99, 121])
    leaves = n - n // 2
    bank.fill("210201", "具有 %d 个结点的完全二叉树中，叶子结点有%s个。" % (n, BLANK), [leaves],
              "按层编号后，编号大于 ⌊n/2⌋ = %d 的结点都是叶子，共 %d - %d = %d 个。" % (n // 2, n, n // 2, leaves),
              "tree")

    n = rng.choice([500, 1000, 2000])
    most = n.bit_length()
    bank.fill("210302", "在有 %d 个元素的有序顺序表中进行二分查找，最多需要比较%s次。" % (n, BLANK), [most],
              "最多比较次数为判定树的深度 ⌊log<sub>2</sub>n⌋ + 1 = ⌊log<sub>2</sub>%d⌋ + 1 = %d。" % (n, most),
              "search complexity")

    n = rng.choice([20, 40, 100])
    bank.single("210302", "在有 %d 个元素的线性表中进行顺序查找，若每个元素被查找的概率相等，查找成功时的平均比较次数为%s。"
                % (n, CHOICE), fmt((n + 1) / 2), [str(n), str(n // 2 - 1) if n // 2 - 1 != (n + 1) / 2 else str(n - 1), str(n.bit_length())],
                "查找第 i 个元素要比较 i 次，平均 (1 + 2 + … + %d) ÷ %d = (%d + 1) ÷ 2 = %s。"
                % (n, n, n, fmt((n + 1) / 2)), "search")

    m = rng.choice([8, 10, 12])
    front = rng.randrange(m // 2, m)
    rear = rng.randrange(1, front - 1)
    count = (rear - front + m) % m
    bank.fill("210102", "用长度为 %d 的数组实现循环队列，front 指向队头元素，rear 指向队尾元素的下一个位置。"
              "当 front = %d、rear = %d 时，队列中有%s个元素。" % (m, front, rear, BLANK), [count],
              "元素个数 = (rear - front + m) mod m = (%d - %d + %d) mod %d = %d。rear 小于 front 说明队尾已经绕回数组开头。"
              % (rear, front, m, m, count), "stackq")

    seqs = valid_pop_sequences(4)
    candidates = [p for p in itertools.permutations((1, 2, 3, 4))]
    rng.shuffle(candidates)
    good = [p for p in candidates if p in seqs][:3]
    bad = [p for p in candidates if p not in seqs][:2]
    fmt_seq = lambda p: " ".join(map(str, p))
    reasons = "；".join("%s 中 %d 出栈后，%d 还压在 %d 之上，不能接着弹出 %d"
                       % ((fmt_seq(p),) + blocking(p)) for p in bad)
    bank.multiple("210102", "元素 1、2、3、4 依次进栈，进栈过程中可以随时出栈，下列序列中可能的出栈序列有%s。" % CHOICE,
                  [fmt_seq(p) for p in good], [fmt_seq(p) for p in bad],
                  "可以逐个模拟：要出栈的元素若不在栈顶，就必须先把它之前的元素进栈。%s。" % reasons, "stackq")


def valid_pop_sequences(n):
    out = set()

    def go(next_in, stack, popped):
        if len(popped) == n:
            out.add(tuple(popped))
            return
        if next_in <= n:
            go(next_in + 1, stack + [next_in], popped)
        if stack:
            go(next_in, stack[:-1], popped + [stack[-1]])

    go(1, [], [])
    return out


def blocking(p):
    """For an impossible pop sequence: the first pop that finds another element on top."""
    stack, nxt = [], 1
    for i, x in enumerate(p):
        while nxt <= x:
            stack.append(nxt)
            nxt += 1
        if stack[-1] != x:
            return p[i - 1], stack[-1], x, x
        stack.pop()
    raise AssertionError(p)


# ---------------------------------------------------------------- output

def dump(questions):
    d = lambda v: json.dumps(v, ensure_ascii=False)
    blocks = []
    for q in questions:
        lines = ['    { "id": %s, "chapter": %s, "type": %d,' % (d(q["id"]), d(q["chapter"]), q["type"]),
                 '      "text": %s,' % d(q["text"])]
        if "options" in q:
            lines.append('      "options": %s, "answer": %s,' % (d(q["options"]), d(q["answer"])))
        else:
            lines.append('      "answer": %s,' % d(q["answer"]))
        lines.append('      "explanation": %s,' % d(q["explanation"]))
        lines.append('      "points": %s }' % d(q["points"]))
        blocks.append("\n".join(lines))
    return '{\n  "questions": [\n' + ",\n".join(blocks) + "\n  ]\n}\n"


def main():
    root = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "assets", "bank", "80-questions-rules.json")
    bank = Bank(SEED)
    for part in (number_bases, binary_arithmetic, machine_codes, storage_and_media, subnets,
                 memory_and_performance, logic, paging, data_structures):
        part(bank)
    texts = [q["text"] + "|".join(q.get("options", [])) for q in bank.questions]
    assert len(set(texts)) == len(texts), "two generated questions alike"
    text = dump(bank.questions)
    json.loads(text)
    with open(out, "w", encoding="utf-8") as f:
        f.write(text)
    print("%s: %d questions" % (out, len(bank.questions)))


if __name__ == "__main__":
    main()
