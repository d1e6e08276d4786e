#!/usr/bin/env python3
"""Random script programs in the part of the language that the engine and
node share, for the differential corpus (tests/script/differential).

Each program is generated as a small syntax tree, run here by a model of the
shared semantics, and kept only when every value that it prints or turns into
text is one whose text both engines write alike (a number with at most 15
significant digits between 1e-6 and 1e21, NaN, the infinities, booleans,
strings, undefined), when it stays away from the places where the two differ
(signed hexadecimal texts, max/min of NaN or of zeros of both signs, division
by a negative zero, comparisons with undefined, ...), and when it ends within
a step budget. With --check, node runs every kept program after the one-line
prelude and its output must equal the model's, so a fault of the model shows
here and not as a false difference later.

The rules of the shared part: ASCII names, a semicolon after every simple
statement, no comments, string escapes \\n \\r \\' \\" \\\\ only; var, function
declarations outside blocks, if/else, while, do/while, for, break, continue,
return, new on script functions and Object, eval of an expression; arithmetic
and comparisons on numbers and strings, ! && || on side-effect-free booleans,
++ and --, unary minus; Math without random, string members without $
patterns, parseInt with radix 10 or 16, parseFloat, isNaN, isFinite, Date with
numeric arguments in UTC.

Usage: gen_script_programs.py --count N --seed S --out DIR [--check PRELUDE]
"""

import argparse
import math
import os
import random
import re
import subprocess
import sys


# ---------------------------------------------------------------- the model

class Unsafe(Exception):
    """The program reaches a place where the engines may differ."""

    @staticmethod
    def fail():
        raise Unsafe("not a string")


class TooLong(Exception):
    """The program runs past its step or output budget."""


class Undefined:
    def __repr__(self):
        return "undefined"


UNDEF = Undefined()


class JSObject:
    def __init__(self):
        self.props = {}


class JSFunction:
    def __init__(self, decl, env):
        self.decl = decl
        self.env = env


class JSDate:
    def __init__(self, t):
        self.t = t


class BreakSignal(Exception):
    pass


class ContinueSignal(Exception):
    pass


class ReturnSignal(Exception):
    def __init__(self, value):
        super().__init__()
        self.value = value


class Env:
    def __init__(self, parent=None):
        self.vars = {}
        self.parent = parent

    def find(self, name):
        env = self
        while env is not None:
            if name in env.vars:
                return env
            env = env.parent
        raise Unsafe("unknown name " + name)


class Context:
    def __init__(self):
        self.out = []
        self.steps = 0
        self.depth = 0

    def step(self):
        self.steps += 1
        if self.steps > 20000:
            raise TooLong()

    def write(self, text):
        self.out.append(text)
        if sum(len(t) for t in self.out) > 20000:
            raise TooLong()


def is_number(v):
    return isinstance(v, float)


def sig_digits(x):
    """Significant digits of the shortest text of a finite non-zero double."""
    mantissa = repr(abs(x)).lower().split("e")[0].replace(".", "").lstrip("0")
    return len(mantissa.rstrip("0")) if mantissa else 1


def number_text(x):
    """JavaScript's text of a number, for the numbers both engines write
    alike; any other number is Unsafe."""
    if math.isnan(x):
        return "NaN"
    if math.isinf(x):
        return "Infinity" if x > 0 else "-Infinity"
    if x == 0:
        return "0"
    ax = abs(x)
    if not (1e-6 <= ax < 1e21) or sig_digits(x) > 15:
        raise Unsafe("number text %r" % x)
    sign = "-" if x < 0 else ""
    mantissa, _, exp = repr(ax).lower().partition("e")
    intpart, _, frac = mantissa.partition(".")
    digits = (intpart + frac).lstrip("0")
    # Decimal exponent n: the value is 0.digits x 10^n.
    if exp:
        n = int(exp) + len(intpart)
    elif intpart != "0":
        n = len(intpart)
    else:
        n = -(len(frac) - len(frac.lstrip("0")))
    digits = digits.rstrip("0") or "0"
    k = len(digits)
    if k <= n <= 21:
        return sign + digits + "0" * (n - k)
    if 0 < n <= 21:
        return sign + digits[:n] + "." + digits[n:]
    if -6 < n <= 0:
        return sign + "0." + "0" * (-n) + digits
    raise Unsafe("exponent form %r" % x)


NUMBER_TEXT = re.compile(r"^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$")


def string_to_number(s):
    t = s.strip(" \t\r\n")
    if t == "":
        return 0.0
    if re.search(r"[+-]\s", t) or "Infinity" in t or re.search(r"\.[eE]", t):
        raise Unsafe("number text of %r" % s)
    if re.match(r"^[+-]0[xX]", t):
        raise Unsafe("signed hexadecimal %r" % s)
    if re.match(r"^0[xX][0-9a-fA-F]+$", t):
        return float(int(t[2:], 16))
    if NUMBER_TEXT.match(t):
        return float(t)
    return math.nan


def to_number(v):
    if is_number(v):
        return v
    if isinstance(v, bool):
        return 1.0 if v else 0.0
    if isinstance(v, str):
        return string_to_number(v)
    if v is UNDEF:
        return math.nan
    if isinstance(v, JSDate):
        return v.t
    raise Unsafe("object as number")


def to_text(v):
    if isinstance(v, str):
        return v
    if isinstance(v, bool):
        return "true" if v else "false"
    if is_number(v):
        return number_text(v)
    if v is UNDEF:
        return "undefined"
    raise Unsafe("object as text")


def to_boolean(v):
    if isinstance(v, bool):
        return v
    raise Unsafe("boolean of a non-boolean")


def to_integer(v):
    x = to_number(v)
    if math.isnan(x):
        return 0
    if math.isinf(x) or abs(x) > 1e9:
        raise Unsafe("large position")
    return int(x)


def js_typeof(v):
    if is_number(v):
        return "number"
    if isinstance(v, str):
        return "string"
    if isinstance(v, bool):
        return "boolean"
    if v is UNDEF:
        return "undefined"
    if isinstance(v, JSFunction):
        return "function"
    return "object"


def js_fmod(a, b):
    if math.isnan(a) or math.isnan(b) or math.isinf(a) or b == 0:
        return math.nan
    if math.isinf(b):
        return a
    return math.fmod(a, b)


def js_divide(a, b):
    if b == 0:
        if math.copysign(1.0, b) < 0:
            raise Unsafe("division by a negative zero")
        if a == 0 or math.isnan(a):
            return math.nan
        return math.inf if a > 0 else -math.inf
    return a / b


def binary(op, a, b):
    if op == "+":
        if isinstance(a, str) or isinstance(b, str):
            return to_text(a) + to_text(b)
        return to_number(a) + to_number(b)
    if op in "-*/%":
        x, y = to_number(a), to_number(b)
        if op == "-":
            return x - y
        if op == "*":
            return x * y
        if op == "/":
            return js_divide(x, y)
        return js_fmod(x, y)
    if op in ("&&", "||"):
        x, y = to_boolean(a), to_boolean(b)
        return (x and y) if op == "&&" else (x or y)
    if op in ("===", "!=="):
        same = js_typeof(a) == js_typeof(b) and compare_equal(a, b)
        return same if op == "===" else not same
    if op in ("==", "!="):
        same = compare_equal(a, b)
        return same if op == "==" else not same
    # Relational comparisons.
    if a is UNDEF or b is UNDEF:
        raise Unsafe("comparison with undefined")
    if isinstance(a, str) and isinstance(b, str):
        x, y = a, b
    else:
        x, y = to_number(a), to_number(b)
        if math.isnan(x) or math.isnan(y):
            return False
    return {"<": x < y, ">": x > y, "<=": x <= y, ">=": x >= y}[op]


def compare_equal(a, b):
    if a is UNDEF or b is UNDEF:
        if a is UNDEF and b is UNDEF:
            return True
        raise Unsafe("equality with undefined")
    if isinstance(a, str) and isinstance(b, str):
        return a == b
    if isinstance(a, (JSObject, JSFunction, JSDate)) or isinstance(b, (JSObject, JSFunction, JSDate)):
        raise Unsafe("object equality")
    return to_number(a) == to_number(b)


# ECMAScript day and time arithmetic (UTC).
MS_PER_DAY = 86400000.0


def days_from_civil(y, m, d):
    y -= m <= 2
    era = (y if y >= 0 else y - 399) // 400
    yoe = y - era * 400
    doy = (153 * (m + (-3 if m > 2 else 9)) + 2) // 5 + d - 1
    doe = yoe * 365 + yoe // 4 - yoe // 100 + doy
    return era * 146097 + doe - 719468


def civil_from_days(z):
    z += 719468
    era = (z if z >= 0 else z - 146096) // 146097
    doe = z - era * 146097
    yoe = (doe - doe // 1460 + doe // 36524 - doe // 146096) // 365
    y = yoe + era * 400
    doy = doe - (365 * yoe + yoe // 4 - yoe // 100)
    mp = (5 * doy + 2) // 153
    d = doy - (153 * mp + 2) // 5 + 1
    m = mp + (3 if mp < 10 else -9)
    return y + (m <= 2), m, d


def make_time(fields):
    y, mo, d, h, mi, s, ms = fields
    if not (1900 <= y + mo // 12 <= 2200):
        raise Unsafe("year out of the modelled range")
    y += mo // 12
    mo %= 12
    day = days_from_civil(y, mo + 1, 1) + d - 1
    return day * MS_PER_DAY + ((h * 60 + mi) * 60 + s) * 1000.0 + ms


def split_time(t):
    day = math.floor(t / MS_PER_DAY)
    ms_of_day = int(t - day * MS_PER_DAY)
    y, m, d = civil_from_days(int(day))
    return [y, m - 1, d, ms_of_day // 3600000, ms_of_day // 60000 % 60,
            ms_of_day // 1000 % 60, ms_of_day % 1000, int((day + 4) % 7)]


def time_clip(t):
    if math.isnan(t) or abs(t) > 8.64e15:
        return math.nan
    return float(math.trunc(t)) + 0.0


# ---------------------------------------------------------------- the tree

def quote(text):
    q = random.choice("'\"")
    body = (text.replace("\\", "\\\\").replace("\n", "\\n").replace("\r", "\\r")
            .replace(q, "\\" + q))
    return q + body + q


class Expr:
    # Primary expressions may take ".member" and need no parentheses.
    primary = False

    def wrapped(self):
        return self.src() if self.primary else "(" + self.src() + ")"


class Num(Expr):
    def __init__(self, value, text=None):
        self.value = float(value)
        self.text = text or number_text(self.value)
        # A negative literal is "-" and a number: it needs parentheses.
        self.primary = not self.text.startswith("-")

    def src(self):
        return self.text

    def ev(self, ctx, env):
        return self.value


class Str(Expr):
    primary = True

    def __init__(self, text, plain=False):
        self.text = text
        self.quoted = ("'" + text + "'") if plain else quote(text)

    def src(self):
        return self.quoted

    def ev(self, ctx, env):
        return self.text


class Bool(Expr):
    primary = True

    def __init__(self, value):
        self.value = value

    def src(self):
        return "true" if self.value else "false"

    def ev(self, ctx, env):
        return self.value


class Var(Expr):
    primary = True

    def __init__(self, name):
        self.name = name

    def src(self):
        return self.name

    def ev(self, ctx, env):
        value = env.find(self.name).vars[self.name]
        return value


class Binary(Expr):
    def __init__(self, op, a, b):
        self.op, self.a, self.b = op, a, b

    def src(self):
        return "%s %s %s" % (self.a.wrapped(), self.op, self.b.wrapped())

    def ev(self, ctx, env):
        return binary(self.op, self.a.ev(ctx, env), self.b.ev(ctx, env))


class Unary(Expr):
    def __init__(self, op, a):
        self.op, self.a = op, a

    def src(self):
        return self.op + self.a.wrapped() if self.op != "typeof" else "typeof " + self.a.wrapped()

    def ev(self, ctx, env):
        v = self.a.ev(ctx, env)
        if self.op == "-":
            x = to_number(v)
            if x == 0:
                raise Unsafe("negated zero")
            return -x
        if self.op == "!":
            return not to_boolean(v)
        return js_typeof(v)


class Call(Expr):
    """A call of a function, a method or a built-in: `callee(args)` where the
    callee's text is given and the model function computes the value."""
    primary = True

    def __init__(self, callee, args, fn):
        self.callee, self.args, self.fn = callee, args, fn

    def src(self):
        return "%s(%s)" % (self.callee, ", ".join(a.src() for a in self.args))

    def ev(self, ctx, env):
        return self.fn(ctx, env, [a.ev(ctx, env) for a in self.args])


class Member(Expr):
    primary = True

    def __init__(self, target, name, fn):
        self.target, self.name, self.fn = target, name, fn

    def src(self):
        return "%s.%s" % (self.target.src(), self.name)

    def ev(self, ctx, env):
        target = self.target.ev(ctx, env)
        if target is UNDEF:
            raise Unsafe("member of undefined")
        return self.fn(target)


class MethodCall(Expr):
    primary = True

    def __init__(self, target, name, args, fn):
        self.target, self.name, self.args, self.fn = target, name, args, fn

    def src(self):
        return "%s.%s(%s)" % (self.target.src(), self.name, ", ".join(a.src() for a in self.args))

    def ev(self, ctx, env):
        target = self.target.ev(ctx, env)
        if not isinstance(target, (str, JSDate)):
            raise Unsafe("method of " + js_typeof(target))
        return self.fn(ctx, target, [a.ev(ctx, env) for a in self.args])


class Eval(Expr):
    primary = True

    def __init__(self, inner):
        self.inner = inner

    def src(self):
        return 'eval("%s")' % self.inner.src()

    def ev(self, ctx, env):
        return self.inner.ev(ctx, env)


class NewObject(Expr):
    primary = True

    def __init__(self, ctor, args):
        self.ctor, self.args = ctor, args

    def src(self):
        if self.ctor is None:
            return random.choice(["new Object()", "new Object"])
        return "new %s(%s)" % (self.ctor, ", ".join(a.src() for a in self.args))

    def ev(self, ctx, env):
        obj = JSObject()
        if self.ctor is not None:
            fn = env.find(self.ctor).vars[self.ctor]
            call_function(ctx, fn, [a.ev(ctx, env) for a in self.args], obj)
        return obj


class NewDate(Expr):
    primary = True

    def __init__(self, args):
        self.args = args

    def src(self):
        return "new Date(%s)" % ", ".join(a.src() for a in self.args)

    def ev(self, ctx, env):
        values = [a.ev(ctx, env) for a in self.args]
        if len(values) == 1:
            return JSDate(time_clip(to_number(values[0])))
        return JSDate(date_from_fields(values))


def date_from_fields(values):
    fields = [0, 0, 1, 0, 0, 0, 0]
    for i, v in enumerate(values):
        fields[i] = to_integer(v)
    if 0 <= fields[0] <= 99:
        raise Unsafe("two-digit year")
    return time_clip(make_time(fields))


def call_function(ctx, fn, args, this=None):
    if not isinstance(fn, JSFunction):
        raise Unsafe("call of a non-function")
    ctx.depth += 1
    if ctx.depth > 40:
        raise TooLong()
    env = Env(fn.env)
    decl = fn.decl
    for i, p in enumerate(decl.params):
        env.vars[p] = args[i] if i < len(args) else UNDEF
    env.vars["this"] = this
    declare(decl.body, env)
    try:
        run_block(ctx, decl.body, env)
        result = UNDEF
    except ReturnSignal as r:
        result = r.value
    ctx.depth -= 1
    return result


def declare(stmts, env):
    """Hoists the functions and variables of a body into env."""
    for s in walk_declarations(stmts):
        if isinstance(s, FunctionDecl):
            env.vars[s.name] = JSFunction(s, env)
        elif s.name not in env.vars:
            env.vars[s.name] = UNDEF


def walk_declarations(stmts):
    for s in stmts:
        if isinstance(s, (VarDecl, FunctionDecl)):
            yield s
        for child in s.children():
            yield from walk_declarations(child)


def run_block(ctx, stmts, env):
    for s in stmts:
        ctx.step()
        s.ex(ctx, env)


class Stmt:
    def children(self):
        return []


class VarDecl(Stmt):
    def __init__(self, name, init):
        self.name, self.init = name, init

    def src(self, ind):
        return ind + "var %s = %s;" % (self.name, self.init.src())

    def ex(self, ctx, env):
        env.find(self.name).vars[self.name] = self.init.ev(ctx, env)


class Assign(Stmt):
    def __init__(self, target, op, value):
        self.target, self.op, self.value = target, op, value

    def src(self, ind):
        return ind + "%s %s %s;" % (self.target, self.op, self.value.src())

    def ex(self, ctx, env):
        value = self.value.ev(ctx, env)
        obj, key = self.place(ctx, env)
        if self.op != "=":
            value = binary(self.op[0], obj[key], value)
        obj[key] = value

    def place(self, ctx, env):
        if "." in self.target:
            base, prop = self.target.split(".")
            owner = env.find(base).vars[base] if base != "this" else env.find("this").vars["this"]
            if not isinstance(owner, JSObject):
                raise Unsafe("member of a non-object")
            return owner.props, prop
        return env.find(self.target).vars, self.target


class Step(Stmt):
    def __init__(self, name, op):
        self.name, self.op = name, op

    def src(self, ind):
        return ind + self.name + self.op + ";"

    def ex(self, ctx, env):
        scope = env.find(self.name).vars
        scope[self.name] = to_number(scope[self.name]) + (1 if self.op == "++" else -1)


class Write(Stmt):
    def __init__(self, expr, newline=True):
        self.expr, self.newline = expr, newline

    def src(self, ind):
        text = self.expr.src()
        if self.newline:
            text = self.expr.wrapped() + ' + "\\n"'
        return ind + "Response.Write(%s);" % text

    def ex(self, ctx, env):
        v = self.expr.ev(ctx, env)
        if isinstance(v, (JSObject, JSFunction, JSDate)):
            raise Unsafe("writing an object")
        ctx.write(to_text(v) + ("\n" if self.newline else ""))


class ExprStmt(Stmt):
    def __init__(self, expr):
        self.expr = expr

    def src(self, ind):
        return ind + self.expr.src() + ";"

    def ex(self, ctx, env):
        self.expr.ev(ctx, env)


def block_src(stmts, ind):
    return "{\n" + "\n".join(s.src(ind + "  ") for s in stmts) + "\n" + ind + "}"


class If(Stmt):
    def __init__(self, cond, then, other):
        self.cond, self.then, self.other = cond, then, other

    def children(self):
        return [self.then] + ([self.other] if self.other is not None else [])

    def src(self, ind):
        text = ind + "if (%s) %s" % (self.cond.src(), block_src(self.then, ind))
        if self.other is not None:
            text += " else " + block_src(self.other, ind)
        return text

    def ex(self, ctx, env):
        if to_boolean(self.cond.ev(ctx, env)):
            run_block(ctx, self.then, env)
        elif self.other is not None:
            run_block(ctx, self.other, env)


class Loop(Stmt):
    """while, do/while and for over a counter: `kind` picks the form."""

    def __init__(self, kind, counter, start, limit, stride, body):
        self.kind, self.counter, self.start, self.limit = kind, counter, start, limit
        self.stride, self.body = stride, body

    def children(self):
        return [self.body]

    def src(self, ind):
        c = self.counter
        step = c + "++" if self.stride == 1 else "%s += %d" % (c, self.stride)
        if self.kind == "for":
            return ind + "for (%s = %d; %s < %d; %s) %s" % (
                c, self.start, c, self.limit, step, block_src(self.body, ind))
        inner = self.body + [Raw(step + ";")]
        if self.kind == "while":
            return (ind + "%s = %d;\n" % (c, self.start) + ind +
                    "while (%s < %d) %s" % (c, self.limit, block_src(inner, ind)))
        return (ind + "%s = %d;\n" % (c, self.start) + ind + "do %s while (%s < %d);" % (
            block_src(inner, ind), c, self.limit))

    def ex(self, ctx, env):
        scope = env.find(self.counter).vars
        scope[self.counter] = float(self.start)
        first = True
        while (first and self.kind == "do") or scope[self.counter] < self.limit:
            first = False
            ctx.step()
            try:
                run_block(ctx, self.body, env)
            except BreakSignal:
                break
            except ContinueSignal:
                if self.kind != "for":
                    # A continue in while/do skips the counter's step: the
                    # generator never puts one there.
                    raise Unsafe("continue before the step")
            scope[self.counter] = scope[self.counter] + self.stride


class Raw(Stmt):
    def __init__(self, text):
        self.text = text

    def src(self, ind):
        return ind + self.text

    def ex(self, ctx, env):
        pass


class Jump(Stmt):
    def __init__(self, word):
        self.word = word

    def src(self, ind):
        return ind + self.word + ";"

    def ex(self, ctx, env):
        raise BreakSignal() if self.word == "break" else ContinueSignal()


class Return(Stmt):
    def __init__(self, expr):
        self.expr = expr

    def src(self, ind):
        return ind + ("return %s;" % self.expr.src() if self.expr is not None else "return;")

    def ex(self, ctx, env):
        raise ReturnSignal(self.expr.ev(ctx, env) if self.expr is not None else UNDEF)


class FunctionDecl(Stmt):
    def __init__(self, name, params, body):
        self.name, self.params, self.body = name, params, body

    def children(self):
        return []  # its own scope

    def src(self, ind):
        return ind + "function %s(%s) %s" % (self.name, ", ".join(self.params),
                                             block_src(self.body, ind))

    def ex(self, ctx, env):
        pass


# ---------------------------------------------------------------- generation

WORDS = ["alpha", "Beta", "gamma", "delta", "x", "Hello", "world", "abc", "ABC", "a-b-c",
         "12", " 7 ", "-3.5", "0x1F", "", "1e3", ".5", "5.", "42abc", "  15", "3.25",
         "AbCdEf", "one two", "q!?", "mIxEd", "zz", "10", "255", "ff", "0.125"]
ALPHABET = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 -.:!?_#"
NUMERIC_TEXTS = ["12", " 7 ", "-3.5", "0x1F", "", "1e3", ".5", "5.", "42abc", "  15",
                 "3.25", "abc", "+8", "-0", "007", "1.5e-3", "ff", "7fffffff", "0x10"]

MATH1 = ["abs", "ceil", "floor", "round", "sqrt", "sin", "cos", "tan", "atan", "exp",
         "log", "asin", "acos"]
MATH_CONSTANTS = {"PI": math.pi, "E": math.e, "LN2": math.log(2), "LN10": math.log(10),
                  "SQRT2": math.sqrt(2), "SQRT1_2": math.sqrt(0.5),
                  "LOG2E": 1 / math.log(2), "LOG10E": 1 / math.log(10)}


def math1(name, x):
    if math.isnan(x):
        return math.nan
    if name == "abs":
        return abs(x)
    if name in ("ceil", "floor"):
        if math.isinf(x):
            return x
        r = float(math.ceil(x) if name == "ceil" else math.floor(x))
        return math.copysign(r, x) if r == 0 else r
    if name == "round":
        if math.isinf(x):
            return x
        i = float(math.trunc(x))
        i = math.copysign(i, x) if i == 0 else i
        f = x - i
        return i - 1 if f < -0.5 else i + 1 if f >= 0.5 else i
    if name == "sqrt":
        return math.sqrt(x) if x >= 0 else math.nan
    if name == "log":
        if x < 0:
            return math.nan
        return -math.inf if x == 0 else math.log(x)
    if name == "exp":
        try:
            return math.exp(x)
        except OverflowError:
            return math.inf
    if name in ("asin", "acos"):
        return getattr(math, name)(x) if -1 <= x <= 1 else math.nan
    if math.isinf(x) and name in ("sin", "cos", "tan"):
        return math.nan
    return getattr(math, name)(x)


def math2(name, a, b):
    if name in ("max", "min"):
        if math.isnan(a) or math.isnan(b):
            raise Unsafe("max/min of NaN")
        if a == 0 and b == 0 and math.copysign(1, a) != math.copysign(1, b):
            raise Unsafe("max/min of signed zeros")
        return max(a, b) if name == "max" else min(a, b)
    if name == "atan2":
        if a == 0 and b == 0:
            raise Unsafe("atan2 of zeros")
        return math.atan2(a, b)
    # pow
    if math.isnan(b) or (abs(a) == 1 and math.isinf(b)) or (a == 0 and b < 0):
        raise Unsafe("pow special case")
    try:
        return math.pow(a, b)
    except ValueError:
        return math.nan
    except OverflowError:
        raise Unsafe("pow overflow")


def js_parse_int(s, radix):
    t = s.lstrip(" \t\r\n")
    sign = 1
    if t[:1] in ("+", "-"):
        sign = -1 if t[0] == "-" else 1
        t = t[1:]
    if radix == 16 and t[:2].lower() == "0x":
        t = t[2:]
    digits = ""
    for ch in t:
        if ch.isdigit() or ch.lower() in "abcdef"[: max(0, radix - 10)]:
            digits += ch
        else:
            break
    if not digits:
        return math.nan
    value = int(digits, radix)
    if value == 0 and sign < 0:
        return -0.0
    return float(sign * value)


def js_parse_float(s):
    t = s.lstrip(" \t\r\n")
    if "Infinity" in t[:9] or re.match(r"^[+-]?\d+\.[eE]", t):
        raise Unsafe("parseFloat special form")
    m = re.match(r"^[+-]?(\d+(\.\d+)?|\.\d+)([eE][+-]?\d+)?", t)
    if not m:
        return math.nan
    return float(m.group(0))


class Scope:
    """What the generator knows at a point of the program: names by kind."""

    def __init__(self, parent=None, in_function=False):
        self.names = {}
        self.parent = parent
        self.in_function = in_function or (parent is not None and parent.in_function)

    def all(self, kind):
        found = []
        s = self
        while s is not None:
            found += [n for n, k in s.names.items() if k == kind]
            s = s.parent
        return found


class Generator:
    def __init__(self, rnd):
        self.r = rnd
        self.counter = 0
        self.functions = []  # (name, param kinds, result kind)
        self.ctors = []      # (name, [(prop, kind)])
        self.in_loop = 0
        self.pure = 0  # inside an operand of && or ||
        self.loop_counters = set()

    def fresh(self, prefix):
        self.counter += 1
        return "%s%d" % (prefix, self.counter)

    # -- literals
    def num_literal(self):
        r = self.r.random()
        if r < 0.55:
            return Num(self.r.randint(0, 20))
        if r < 0.7:
            return Num(self.r.randint(21, 100000))
        if r < 0.9:
            return Num(self.r.choice([0.5, 0.25, 1.5, 2.75, 0.1, 0.2, 0.3, 3.125, 1e-3, 12.5,
                                      99.99]))
        value, text = self.r.choice([(1e3, "1e3"), (2e5, "2E5"), (1.5e-4, "1.5e-4"),
                                     (31, "0x1F"), (255, "0xff"), (0.5, ".5")])
        return Num(value, text)

    def str_literal(self):
        if self.r.random() < 0.6:
            return Str(self.r.choice(WORDS))
        n = self.r.randint(0, 8)
        text = "".join(self.r.choice(ALPHABET) for _ in range(n))
        if self.r.random() < 0.2:
            text += self.r.choice(["\n", "'", '"', "\\", "\r"])
        return Str(text)

    # -- expressions by kind
    def expr(self, kind, scope, depth):
        return {"num": self.num, "str": self.str_, "bool": self.bool_}[kind](scope, depth)

    def small_int(self, scope, depth):
        if self.r.random() < 0.6 or depth <= 0:
            return Num(self.r.randint(-3, 12))
        return self.num(scope, depth - 1)

    def num(self, scope, depth):
        names = scope.all("num")
        r = self.r.random()
        if depth <= 0 or r < 0.25:
            if names and self.r.random() < 0.6:
                return Var(self.r.choice(names))
            return self.num_literal()
        choices = [
            (5, lambda: Binary(self.r.choice("+-*/%") if self.r.random() < 0.9 else "+",
                               self.num(scope, depth - 1), self.num(scope, depth - 1))),
            (1, lambda: Unary("-", self.num(scope, depth - 1))),
            (2, lambda: self.math_call(scope, depth)),
            (2, lambda: self.string_number(scope, depth)),
            (1, lambda: self.global_number(scope, depth)),
            (1, lambda: Eval(self.eval_safe_num(scope, depth - 1))),
        ]
        if self.functions and not self.pure:
            choices.append((2, lambda: self.function_call("num", scope, depth)))
        if scope.all("obj"):
            choices.append((2, lambda: self.object_read("num", scope)))
        if scope.all("date"):
            choices.append((2, lambda: self.date_getter(scope)))
        if len(names) > 0:
            choices.append((3, lambda: Var(self.r.choice(names))))
        return self.pick(choices)()

    def pick(self, choices):
        total = sum(w for w, _ in choices)
        x = self.r.uniform(0, total)
        for w, f in choices:
            x -= w
            if x <= 0:
                return f
        return choices[-1][1]

    def math_call(self, scope, depth):
        r = self.r.random()
        if r < 0.15:
            name = self.r.choice(list(MATH_CONSTANTS))
            value = MATH_CONSTANTS[name]
            return Member(Var("Math"), name, lambda _m, v=value: v)
        if r < 0.7:
            name = self.r.choice(MATH1)
            return Call("Math." + name, [self.num(scope, depth - 1)],
                        lambda ctx, env, a, n=name: math1(n, to_number(a[0])))
        name = self.r.choice(["max", "min", "pow", "atan2"])
        args = [self.num(scope, depth - 1), self.small_int(scope, depth - 1) if name == "pow"
                else self.num(scope, depth - 1)]
        return Call("Math." + name, args,
                    lambda ctx, env, a, n=name: math2(n, to_number(a[0]), to_number(a[1])))

    def string_number(self, scope, depth):
        s = self.str_(scope, depth - 1)
        r = self.r.random()
        if r < 0.3:
            return Member(s if s.primary else self.str_literal(), "length",
                          lambda v: float(len(v)) if isinstance(v, str) else Unsafe.fail())
        target = s if s.primary else Str(self.r.choice(WORDS))
        if r < 0.5:
            i = self.small_int(scope, depth - 1)

            def char_code(ctx, v, a):
                k = to_integer(a[0])
                return float(ord(v[k])) if 0 <= k < len(v) else math.nan
            return MethodCall(target, "charCodeAt", [i], char_code)
        needle = Str(self.r.choice(["a", "b", "l", "o", "ab", "x", "A", "1", " ", "-"]))
        last = self.r.random() < 0.4
        args = [needle] + ([self.small_int(scope, depth - 1)] if self.r.random() < 0.4 else [])

        def index_of(ctx, v, a, last=last):
            n = a[0]
            if last:
                start = len(v) - 1 if len(a) < 2 else to_integer(a[1])
                start = max(0, min(start, len(v) - 1))
                return float(v.rfind(n, 0, start + len(n)))
            start = 0 if len(a) < 2 else to_integer(a[1])
            start = max(0, min(start, len(v)))
            return float(v.find(n, start))
        return MethodCall(target, "lastIndexOf" if last else "indexOf", args, index_of)

    def global_number(self, scope, depth):
        r = self.r.random()
        text = Str(self.r.choice(NUMERIC_TEXTS)) if self.r.random() < 0.7 else self.str_(scope, depth - 1)
        if r < 0.45:
            radix = self.r.choice([10, 16])
            return Call("parseInt", [text, Num(radix)],
                        lambda ctx, env, a, radix=radix: js_parse_int(to_text(a[0]), radix))
        if r < 0.7:
            return Call("parseFloat", [text], lambda ctx, env, a: js_parse_float(to_text(a[0])))
        # Arithmetic on a numeric text converts it.
        return Binary(self.r.choice("*-"), text, Num(self.r.randint(1, 5)))

    def eval_safe_num(self, scope, depth):
        # Expressions that can sit inside a double-quoted eval text: numbers,
        # names and arithmetic only.
        if depth <= 0 or self.r.random() < 0.4:
            names = scope.all("num")
            if names and self.r.random() < 0.5:
                return Var(self.r.choice(names))
            return Num(self.r.randint(0, 50))
        return Binary(self.r.choice("+-*"), self.eval_safe_num(scope, depth - 1),
                      self.eval_safe_num(scope, depth - 1))

    def str_(self, scope, depth):
        names = scope.all("str")
        if depth <= 0 or self.r.random() < 0.25:
            if names and self.r.random() < 0.6:
                return Var(self.r.choice(names))
            return self.str_literal()
        choices = [
            (4, lambda: Binary("+", self.str_(scope, depth - 1),
                               self.r.choice([self.str_, self.num, self.bool_])(scope, depth - 1))),
            (3, lambda: self.string_method(scope, depth)),
            (1, lambda: Call("String.fromCharCode",
                             [Num(self.r.randint(65, 122)) for _ in range(self.r.randint(1, 3))],
                             lambda ctx, env, a: "".join(chr(int(x)) for x in a))),
            (1, lambda: Call("String", [self.num(scope, depth - 1)],
                             lambda ctx, env, a: to_text(a[0]))),
            (1, lambda: Unary("typeof", self.r.choice([self.num, self.str_])(scope, depth - 1))),
        ]
        if self.functions and not self.pure:
            choices.append((2, lambda: self.function_call("str", scope, depth)))
        if scope.all("obj"):
            choices.append((1, lambda: self.object_read("str", scope)))
        if names:
            choices.append((3, lambda: Var(self.r.choice(names))))
        return self.pick(choices)()

    def string_method(self, scope, depth):
        names = scope.all("str")
        target = Var(self.r.choice(names)) if names and self.r.random() < 0.7 else self.str_literal()
        r = self.r.random()
        if r < 0.2:
            return MethodCall(target, "charAt", [self.small_int(scope, depth - 1)],
                              lambda ctx, v, a: (lambda k: v[k] if 0 <= k < len(v) else "")(
                                  to_integer(a[0])))
        if r < 0.45:
            name = self.r.choice(["slice", "substring"])
            args = [self.small_int(scope, depth - 1)]
            if self.r.random() < 0.6:
                args.append(self.small_int(scope, depth - 1))

            def cut(ctx, v, a, name=name):
                n = len(v)
                start = to_integer(a[0])
                end = to_integer(a[1]) if len(a) > 1 else n
                if name == "slice":
                    start = max(0, n + start) if start < 0 else min(start, n)
                    end = max(0, n + end) if end < 0 else min(end, n)
                    return v[start:end] if start < end else ""
                start, end = max(0, min(start, n)), max(0, min(end, n))
                return v[min(start, end):max(start, end)]
            return MethodCall(target, name, args, cut)
        if r < 0.7:
            upper = self.r.random() < 0.5
            return MethodCall(target, "toUpperCase" if upper else "toLowerCase", [],
                              lambda ctx, v, a, upper=upper: v.upper() if upper else v.lower())
        pattern = self.r.choice(["a", "l", "o", "ab", "x", "A", "-", " ", "ll", "e"])
        replacement = self.r.choice(["", "-", "XY", "o", "__", "[]"])
        return MethodCall(target, "replace", [Str(pattern), Str(replacement)],
                          lambda ctx, v, a: v.replace(a[0], a[1], 1))

    def bool_(self, scope, depth):
        names = scope.all("bool")
        if depth <= 0 or self.r.random() < 0.2:
            if names and self.r.random() < 0.5:
                return Var(self.r.choice(names))
            return Bool(self.r.random() < 0.5)
        choices = [
            (5, lambda: self.comparison(scope, depth)),
            (1, lambda: Unary("!", self.bool_(scope, depth - 1))),
            (2, lambda: self.logical(scope, depth)),
            (2, lambda: Call(self.r.choice(["isNaN", "isFinite"]),
                             [self.r.choice([self.num, self.num, self.str_])(scope, depth - 1)],
                             None)),
        ]
        e = self.pick(choices)()
        if isinstance(e, Call) and e.fn is None:
            nan = e.callee == "isNaN"
            e.fn = lambda ctx, env, a, nan=nan: (math.isnan(to_number(a[0])) if nan
                                                 else math.isfinite(to_number(a[0])))
        return e

    def logical(self, scope, depth):
        # Both sides are evaluated by the engine, the right one only
        # sometimes by JavaScript: no calls of the program's functions there.
        self.pure += 1
        e = Binary(self.r.choice(["&&", "||"]), self.bool_(scope, depth - 1),
                   self.bool_(scope, depth - 1))
        self.pure -= 1
        return e

    def comparison(self, scope, depth):
        op = self.r.choice(["<", ">", "<=", ">=", "==", "!=", "===", "!=="])
        kind = self.r.choice(["num", "num", "str", "mixed"])
        if kind == "num":
            return Binary(op, self.num(scope, depth - 1), self.num(scope, depth - 1))
        if kind == "str":
            return Binary(op, self.str_(scope, depth - 1), self.str_(scope, depth - 1))
        return Binary(op, Str(self.r.choice(NUMERIC_TEXTS)), self.num(scope, depth - 1))

    def function_call(self, kind, scope, depth):
        options = [f for f in self.functions if f[2] == kind]
        if not options:
            return self.expr(kind, scope, 0)
        name, params, _ = self.r.choice(options)
        args = [self.expr(k, scope, depth - 1) for k in params]
        return Call(name, args, lambda ctx, env, a, name=name: call_function(
            ctx, env.find(name).vars[name], a, None))

    def object_read(self, kind, scope):
        objects = scope.all("obj")
        name = self.r.choice(objects)
        props = self.object_props.get(name, [])
        fitting = [p for p, k in props if k == kind]
        if not fitting:
            return self.expr(kind, scope, 0)
        prop = self.r.choice(fitting)

        def read(obj, prop=prop):
            if not isinstance(obj, JSObject) or prop not in obj.props:
                raise Unsafe("missing member")
            return obj.props[prop]
        return Member(Var(name), prop, read)

    def date_getter(self, scope):
        name = self.r.choice(scope.all("date"))
        getters = ["getUTCFullYear", "getUTCMonth", "getUTCDate", "getUTCHours", "getUTCMinutes",
                   "getUTCSeconds", "getUTCMilliseconds", "getUTCDay", "getFullYear", "getMonth",
                   "getDate", "getHours", "getDay", "getTime", "valueOf"]
        getter = self.r.choice(getters)
        order = ["FullYear", "Month", "Date", "Hours", "Minutes", "Seconds", "Milliseconds", "Day"]

        def get(ctx, d, a, getter=getter):
            if math.isnan(d.t):
                return math.nan
            if getter in ("getTime", "valueOf"):
                return d.t
            field = getter[6:] if getter.startswith("getUTC") else getter[3:]
            return float(split_time(d.t)[order.index(field)])
        return MethodCall(Var(name), getter, [], get)

    # -- statements
    def statements(self, scope, count, depth):
        out = []
        for _ in range(count):
            out.extend(self.statement(scope, depth))
        return out

    def statement(self, scope, depth):
        choices = [
            (4, lambda: [self.var_decl(scope, depth)]),
            (4, lambda: [Write(self.expr(self.r.choice(["num", "str", "bool"]), scope, 3))]),
            (2, lambda: self.assignment(scope)),
        ]
        if depth > 0:
            choices += [(2, lambda: [self.if_stmt(scope, depth)]),
                        (2, lambda: self.loop(scope, depth))]
        if depth > 1 and not scope.in_function:
            choices += [(1, lambda: self.object_stmts(scope)),
                        (1, lambda: self.date_stmts(scope))]
        if self.in_loop and self.r.random() < 0.15:
            return [If(self.bool_(scope, 1), [Jump("break")], None)]
        return self.pick(choices)()

    def var_decl(self, scope, depth):
        kind = self.r.choice(["num", "num", "str", "bool"])
        name = self.fresh({"num": "n", "str": "s", "bool": "b"}[kind])
        init = self.expr(kind, scope, 2 + (depth > 0))
        scope.names[name] = kind
        return VarDecl(name, init)

    def assignment(self, scope):
        nums = [n for n in scope.all("num") if n not in self.loop_counters]
        strs = scope.all("str")
        if nums and (not strs or self.r.random() < 0.6):
            name = self.r.choice(nums)
            r = self.r.random()
            if r < 0.3:
                return [Step(name, self.r.choice(["++", "--"]))]
            op = self.r.choice(["=", "+=", "-=", "*="]) if r < 0.8 else "="
            return [Assign(name, op, self.num(scope, 2))]
        if strs:
            name = self.r.choice(strs)
            return [Assign(name, self.r.choice(["=", "+="]), self.str_(scope, 2))]
        return [self.var_decl(scope, 1)]

    def if_stmt(self, scope, depth):
        cond = self.bool_(scope, 2)
        then = self.statements(scope, self.r.randint(1, 3), depth - 1)
        other = self.statements(scope, self.r.randint(1, 2), depth - 1) if self.r.random() < 0.5 \
            else None
        return If(cond, then, other)

    def loop(self, scope, depth):
        counter = self.fresh("i")
        scope.names[counter] = "num"
        self.loop_counters.add(counter)
        kind = self.r.choice(["for", "for", "while", "do"])
        start = self.r.randint(0, 3)
        limit = start + self.r.randint(1, 8)
        stride = self.r.choice([1, 1, 1, 2])
        saved = (self.in_loop, getattr(self, "in_loop_kind", None))
        self.in_loop, self.in_loop_kind = self.in_loop + 1, kind
        body = self.statements(scope, self.r.randint(1, 3), depth - 1)
        if kind == "for" and self.r.random() < 0.3:
            body.insert(0, If(self.bool_(scope, 1), [Jump("continue")], None))
        self.in_loop, self.in_loop_kind = saved
        return [Raw("var %s;" % counter), Loop(kind, counter, start, limit, stride, body)]

    object_props = {}

    def object_stmts(self, scope):
        name = self.fresh("o")
        props = []
        out = []
        if self.ctors and self.r.random() < 0.6:
            ctor, fields = self.r.choice(self.ctors)
            args = [self.expr(k, scope, 1) for _, k in fields]
            out.append(VarDecl(name, NewObject(ctor, args)))
            props = list(fields)
            if ctor + "_sum" in [f[0] for f in self.functions]:
                pass
        else:
            out.append(VarDecl(name, NewObject(None, [])))
        for _ in range(self.r.randint(1, 3)):
            prop = self.r.choice(["p", "q", "w", "label", "total"])
            kind = "str" if prop == "label" else "num"
            out.append(Assign("%s.%s" % (name, prop), "=", self.expr(kind, scope, 2)))
            props.append((prop, kind))
        scope.names[name] = "obj"
        self.object_props[name] = props
        return out

    def date_stmts(self, scope):
        name = self.fresh("d")
        year = Num(self.r.randint(1970, 2099))
        fields = [year, Num(self.r.randint(0, 11))] + [
            Num(self.r.randint(lo, hi)) for lo, hi in
            [(1, 28), (0, 23), (0, 59), (0, 59), (0, 999)][: self.r.randint(0, 5)]]
        r = self.r.random()
        if r < 0.4:
            init = NewDate(fields)
        elif r < 0.8:
            utc = Call("Date.UTC", fields, lambda ctx, env, a: date_from_fields(a))
            init = NewDate([utc])
        else:
            init = NewDate([Num(self.r.randint(0, 4102444800) * 1000.0)])
        out = [VarDecl(name, init)]
        scope.names[name] = "date"
        setters = [("setUTCDate", 1, 40), ("setUTCMonth", 0, 14), ("setUTCHours", 0, 30),
                   ("setUTCMinutes", 0, 70), ("setUTCSeconds", 0, 70), ("setDate", 1, 31),
                   ("setUTCFullYear", 1970, 2099), ("setMonth", 0, 11)]
        order = ["FullYear", "Month", "Date", "Hours", "Minutes", "Seconds", "Milliseconds"]
        for _ in range(self.r.randint(0, 2)):
            setter, lo, hi = self.r.choice(setters)
            value = Num(self.r.randint(lo, hi))
            field = setter[6:] if setter.startswith("setUTC") else setter[3:]

            def apply(ctx, d, a, field=field):
                if math.isnan(d.t):
                    return UNDEF
                parts = split_time(d.t)[:7]
                parts[order.index(field)] = to_integer(a[0])
                d.t = time_clip(make_time(parts))
                return UNDEF
            out.append(ExprStmt(MethodCall(Var(name), setter, [value], apply)))
        return out

    def function_decl(self, scope):
        name = self.fresh("f")
        kinds = [self.r.choice(["num", "num", "str", "bool"]) for _ in range(self.r.randint(0, 3))]
        params = [self.fresh("a") for _ in kinds]
        result = self.r.choice(["num", "num", "str"])
        inner = Scope(scope, in_function=True)
        for p, k in zip(params, kinds):
            inner.names[p] = k
        saved = self.functions
        body = self.statements(inner, self.r.randint(0, 3), 1)
        # No nested calls of functions declared later (keeps recursion out).
        if self.r.random() < 0.4:
            body.append(If(self.bool_(inner, 1), [Return(self.expr(result, inner, 2))], None))
        body.append(Return(self.expr(result, inner, 2)))
        self.functions = saved
        decl = FunctionDecl(name, params, body)
        self.functions.append((name, kinds, result))
        return decl

    def constructor_decl(self):
        name = "P" + str(len(self.ctors) + 1)
        fields = [("x", "num"), ("y", "num")] + ([("name1", "str")] if self.r.random() < 0.5 else [])
        params = [self.fresh("a") for _ in fields]
        body = [Assign("this.%s" % f, "=", Var(p)) for (f, _), p in zip(fields, params)]
        self.ctors.append((name, fields))
        return FunctionDecl(name, params, body)

    def program(self):
        scope = Scope()
        stmts = []
        for _ in range(self.r.randint(0, 2)):
            stmts.append(self.constructor_decl())
        for _ in range(self.r.randint(0, 3)):
            stmts.append(self.function_decl(scope))
        stmts += self.statements(scope, self.r.randint(6, 16), 3)
        return stmts


def run_model(stmts):
    ctx = Context()
    env = Env()
    env.vars["Math"] = JSObject()
    env.vars["this"] = None
    declare(stmts, env)
    run_block(ctx, stmts, env)
    return "".join(ctx.out)


def render(stmts):
    return "\n".join(s.src("") for s in stmts) + "\n"


def run_node(prelude, source):
    result = subprocess.run(["node", "-e", prelude + source], capture_output=True, timeout=30,
                            env=dict(os.environ, TZ="UTC"))
    if result.returncode != 0:
        raise RuntimeError(result.stderr.decode("utf-8", "replace"))
    # Bytes, so that "\r\n" is not taken for a line break.
    return result.stdout.decode("utf-8")


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--count", type=int, default=200)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--out", required=True)
    ap.add_argument("--prefix", default="gen_")
    ap.add_argument("--check", metavar="PRELUDE", help="run node after the prelude file")
    ap.add_argument("--verbose", action="store_true")
    args = ap.parse_args()
    prelude = open(args.check).read() if args.check else None
    rnd = random.Random(args.seed)
    os.makedirs(args.out, exist_ok=True)
    made = rejected = model_gaps = 0
    while made < args.count:
        seed = rnd.randrange(1 << 30)
        random.seed(seed)
        gen = Generator(random.Random(seed))
        stmts = gen.program()
        try:
            expected = run_model(stmts)
        except (Unsafe, TooLong, RecursionError):
            rejected += 1
            continue
        except (TypeError, ValueError, OverflowError, KeyError, IndexError) as e:
            # A gap of the model: the program is dropped, and counted.
            model_gaps += 1
            if args.verbose:
                print("model gap (seed %d): %r" % (seed, e), file=sys.stderr)
            continue
        if not expected:
            rejected += 1
            continue
        source = render(stmts)
        if prelude is not None:
            actual = run_node(prelude, source)
            if actual != expected:
                print("model and node differ for seed %d:\n%s\n--- model\n%s\n--- node\n%s"
                      % (seed, source, expected, actual), file=sys.stderr)
                sys.exit(1)
        path = os.path.join(args.out, "%s%03d.js" % (args.prefix, made))
        with open(path, "w", newline="") as f:
            f.write(source)
        made += 1
    print("%d programs written, %d rejected, %d model gaps (seed %d)"
          % (made, rejected, model_gaps, args.seed))


if __name__ == "__main__":
    main()
