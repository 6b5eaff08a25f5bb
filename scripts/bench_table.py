#!/usr/bin/env python3
"""Turns one Google Benchmark JSON run (with repetitions) into the Markdown
table of docs/performance.md: medians of CPU time, each case beside its
literal version, memcpy of the same bytes or pixman."""
import json
import platform
import sys


def machine():
    model = "unknown processor"
    try:
        with open("/proc/cpuinfo") as info:
            for line in info:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    return model


def medians(run):
    result = {}
    for case in run["benchmarks"]:
        if case.get("aggregate_name") == "median":
            name = case["run_name"]
            unit = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}[case.get("time_unit", "ns")]
            result[name] = case["cpu_time"] * unit  # microseconds
    return result


def us(value):
    if value is None:
        return "–"
    if value >= 1000:
        return f"{value / 1000:.3g} ms"
    return f"{value:.3g} µs"


def ratio(numerator, denominator, suffix="×"):
    if numerator is None or denominator is None or denominator == 0:
        return "–"
    return f"{numerator / denominator:.2f}{suffix}"


def percent(reference, ours):
    if reference is None or ours is None or ours == 0:
        return "–"
    return f"{100 * reference / ours:.0f}%"


def rasterizer_rows(times):
    cases = {}
    for name in times:
        parts = name.split("/")
        if len(parts) >= 2 and parts[1] in ("fast", "literal", "pixman", "span_fill"):
            key = (parts[0], "×".join(parts[2:]))
            cases.setdefault(key, {})[parts[1]] = times[name]
    lines = [
        "| Primitive | Size | fast | literal | pixman | literal ÷ fast | pixman ÷ fast |"
        " span fill of the same pixels | fast ÷ span fill |",
        "|---|---|---|---|---|---|---|---|---|",
    ]
    for (primitive, size), found in sorted(cases.items()):
        fast = found.get("fast")
        lines.append(
            f"| `{primitive}` | {size or '–'} | {us(fast)} | {us(found.get('literal'))} | "
            f"{us(found.get('pixman'))} | {ratio(found.get('literal'), fast)} | "
            f"{ratio(found.get('pixman'), fast)} | {us(found.get('span_fill'))} | "
            f"{ratio(fast, found.get('span_fill'))} |"
        )
    return lines


def first_draw_rows(times):
    lines = [
        "| Radius | first draw at a new radius | first disc of the process | from its kept map |"
        " pixman | pixman ÷ first draw | pixman ÷ first disc |",
        "|---|---|---|---|---|---|---|",
    ]
    radii = sorted({int(name.split("/")[2]) for name in times
                    if name.startswith("FillGradientDisc/cold/")})
    for radius in radii:
        found = {kind: times.get(f"FillGradientDisc/{kind}/{radius}")
                 for kind in ("cold", "first", "fast", "pixman")}
        lines.append(
            f"| {radius} | {us(found['cold'])} | {us(found['first'])} | {us(found['fast'])} | "
            f"{us(found['pixman'])} | {ratio(found['pixman'], found['cold'])} | "
            f"{ratio(found['pixman'], found['first'])} |"
        )
    return lines


def transfer_rows(times):
    lines = [
        "| Transfer | ours | memcpy of the same bytes | pixman_blt | ours, as speed vs memcpy |"
        " pixman ÷ ours |",
        "|---|---|---|---|---|---|",
    ]
    page = times.get("BM_PageMemcpyReference")
    for call in ("SetBitmapBits", "GetBitmapBits"):
        ours = times.get(f"BM_{call}")
        lines.append(f"| `{call}` 3,145,728 bytes | {us(ours)} | {us(page)} | – | "
                     f"{percent(page, ours)} | – |")
    for size in ("1024/768", "550/350"):
        ours = times.get(f"BM_BitBlt/{size}")
        reference = times.get(f"BM_BitBltMemcpyReference/{size}")
        peer = times.get(f"BM_BitBltPixman/{size}")
        lines.append(f"| `BitBlt` {size.replace('/', '×')} | {us(ours)} | {us(reference)} | "
                     f"{us(peer)} | {percent(reference, ours)} | {ratio(peer, ours)} |")
    return lines


def compositing_rows(times):
    lines = [
        "| Call | ours | pixman (pixman_blt moves + its picture) | memcpy of the bytes moved |"
        " pixman ÷ ours |",
        "|---|---|---|---|---|",
    ]
    references = {
        "CompositeGradientDisc": "BM_MemcpyReadBackCall",
        "CompositeBlendRect": "BM_MemcpyReadBackCall",
        "CompositeGradientRect": "BM_MemcpyGradientRectCall",
        "RenderDemoScene": "BM_MemcpyDemoScene",
        "PlayingTick": "BM_MemcpyFrame",
    }
    for call, reference in references.items():
        ours = times.get(f"BM_{call}")
        peer = times.get(f"BM_{call}Pixman")
        lines.append(f"| `{call}` | {us(ours)} | {us(peer)} | {us(times.get(reference))} | "
                     f"{ratio(peer, ours)} |")
    return lines


def load_average(context):
    loads = context.get("load_avg")
    if not loads:
        return "not recorded"
    return " / ".join(f"{load:.2f}" for load in loads) + " (1, 5 and 15 minutes)"


def main():
    path, repetitions = sys.argv[1], sys.argv[2]
    with open(path) as source:
        run = json.load(source)
    times = medians(run)
    context = run.get("context", {})
    out = [
        "# Performance",
        "",
        "Made by `scripts/bench` from one run of `pixwell_bench` (release build, private Xvfb",
        "display); do not edit by hand. Every figure is the median CPU time of "
        f"{repetitions} repetitions.",
        f"Machine: {machine()}, {context.get('num_cpus', '?')} CPUs, "
        f"{platform.system()} {platform.release()}; run of {context.get('date', '?')};",
        f"load average at its start {load_average(context)}.",
        "",
        "Pixman's pictures differ from ours in rounding: the comparison is of cost for the",
        "same pixels covered (pixman's images, gradients and masks are made once, outside the",
        "timed part). Ratios above 1× mean ours is faster.",
        "",
        "## Rasterizer, 1024 × 768 32-bit canvas",
        "",
        *rasterizer_rows(times),
        "",
        "## `FillGradientDisc`, first draw at a radius",
        "",
        "The maps kept from earlier draws are dropped before each draw. The first draw at a",
        "new radius keeps the table of the ring that writes each point last, which serves",
        "every radius up to the largest drawn so far; the first disc of the process builds",
        "that table too.",
        "",
        *first_draw_rows(times),
        "",
        "## Pixel transfers",
        "",
        *transfer_rows(times),
        "",
        "## Compositing calls and the start-up drawing",
        "",
        *compositing_rows(times),
        "",
    ]
    print("\n".join(out))


if __name__ == "__main__":
    main()
