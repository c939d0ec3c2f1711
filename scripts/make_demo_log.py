#!/usr/bin/env python3
"""Generate the demo NMEA 0183 recording that Wendrift plays in its demo mode.

    python3 make_demo_log.py OUT        write the recording to OUT
    python3 make_demo_log.py --check F  re-parse F and validate it (one-line summary)

The recording is what a 1 Hz receiver would have sent over its serial line on a
15-minute trip from Pangyo south to Ori in Seongnam, south of Seoul, starting 2024-05-18
03:40:00 UTC (12:40 KST): about four minutes on foot at 5 km/h, a pause at the
car, then eleven minutes of driving with turns, two red lights, an 85 km/h
urban expressway and a tunnel, ending parked at the destination. It is built
from a fixed seed with IEEE arithmetic only, so every run on every machine
writes the same bytes.

Each second carries GPGGA, GPGSA, three GPGSV (12 satellites, 4 per message)
and GPRMC in the sentence layout of an MTK chipset (hhmmss.sss times, ddmm.mmmm
coordinates, zero-padded satellite fields, empty SNR for untracked satellites,
upper-case checksums, CRLF). On top of that, each feature feeds a part of the
program:

- Walk with GPS jitter (0-245 s): correlated position noise of a metre or two and
  noisy low-speed course, as the track filter and odometer see on foot.
- Drive (290-899 s): smooth accelerations and braking, turns, stops at lights,
  so speed, course, odometer, maximum speed and the acceleration plot move.
- Altitude 41-93 m along the route, a smooth function of distance plus slow
  noise, so the vertical speed derived from GGA and the grades stay plausible.
- Sky: 14 modelled satellites whose elevations and azimuths drift smoothly; the
  12 highest are reported, so twice a low satellite sets as another rises.
  SNR follows elevation plus noise; DOPs come from the geometry of the
  satellites used, so they follow the satellite count.
- Urban canyon (430-469 s): buildings leave three satellites, GSA fix type 2,
  altitude held, large HDOP.
- Tunnel (600-629 s): SNRs drop, 30 s without a fix: GGA quality 0 with empty
  position, GSA fix type 1, RMC status V. RMC keeps the last speed and course
  (mode E, as dead-reckoning receivers do) so the derived acceleration does not
  swing through zero and back.
- Route to a waypoint (from 300 s): GPRMB every second with origin and
  destination ids, destination position, range, bearing, closing velocity and
  cross-track error with steer direction; arrival status A within 0.05 nmi.
- GPZDA every 5 s, and a Garmin $PGRME error estimate every 10 s, which the
  decoder must skip.
- About one sentence in 400 is corrupted (one per block of 400, at a seeded
  position): a digit in the data or a checksum digit is changed, as line noise
  would, so the framer's checksum rejection is exercised.
"""

import math
import os
import re
import sys

SEED = 20240518
START_DATE = (18, 5, 2024)  # day, month, year
START_TIME = (3, 40, 0)  # UTC
EPOCHS = 900

ORIGIN_LAT, ORIGIN_LON = 37.394830, 127.110250  # beside Pangyo station
GEOID_SEPARATION = 24.1
MAGNETIC_VARIATION = "8.9,W"

NAV_START = 300
NAV_ORIGIN_ID = "PANGYO"
NAV_DESTINATION_ID = "ORI"
ARRIVAL_RANGE_NMI = 0.05
DESTINATION_OFFSET_M = (9.0, -6.0)  # east, north of where the car stops

CANYON = (430, 470)  # seconds [start, end): only the three highest satellites
TUNNEL = (600, 630)  # seconds [start, end): no fix, from the entrance on
TUNNEL_EXIT = 627  # signals return a few seconds before the receiver fixes again

ZDA_EVERY = 5
PGRME_EVERY = 10
CORRUPT_BLOCK = 400
MAX_SENTENCE = 82  # bytes, "$" to line feed, the NMEA 0183 limit

KNOTS_PER_MPS = 1.0 / 0.514444

# Movement: (duration s, speed at the end m/s, heading change over the phase deg).
# Speed and heading blend smoothly from the previous phase's end values.
START_HEADING = 60.0
PHASES = [
    (12, 0.0, 0),  # standing at the start
    (4, 1.35, 0),  # set off on foot
    (50, 1.40, 0),
    (6, 1.20, 90),  # corner
    (60, 1.45, 0),
    (8, 1.30, -60),  # bend in the path
    (55, 1.40, 0),
    (5, 1.00, -90),  # into the car park
    (41, 1.30, 0),
    (4, 0.0, 0),  # at the car
    (45, 0.0, 0),  # getting in
    (8, 3.5, 90),  # out of the parking bay
    (10, 4.0, 0),
    (6, 3.0, 90),  # right onto the street
    (14, 14.0, 0),
    (40, 14.0, 0),
    (10, 0.0, 0),  # red light
    (20, 0.0, 0),
    (14, 15.5, 0),
    (12, 16.0, 15),
    (54, 16.5, 0),  # canyon between tower blocks (2D)
    (10, 10.0, 0),
    (8, 8.0, -70),  # left turn
    (16, 19.0, 0),
    (40, 20.8, 40),  # climbing towards the tunnel
    (83, 20.8, 0),  # tunnel
    (15, 23.6, 0),
    (60, 23.6, 20),  # expressway
    (14, 11.0, 0),
    (15, 10.0, 90),  # exit ramp
    (25, 13.5, 0),
    (12, 0.0, 0),  # second red light
    (20, 0.0, 0),
    (8, 5.0, -90),  # left turn from the stop
    (18, 12.0, 0),
    (16, 11.0, 0),
    (8, 5.0, 90),  # right into the destination street
    (22, 4.0, 0),
    (8, 0.0, 0),  # parked
    (24, 0.0, 0),
]

# Altitude knots (time s, metres): the altitude is interpolated in distance
# travelled between the positions reached at these times, so it stays put while
# the car stands. Equal neighbours keep the canyon and the tunnel level.
ALTITUDE_KNOTS = [
    (0, 66.0),
    (120, 68.5),
    (245, 67.0),
    (330, 63.0),
    (420, 58.0),
    (480, 58.0),
    (560, 92.0),
    (595, 88.0),
    (640, 88.0),
    (720, 54.0),
    (800, 41.0),
    (870, 47.0),
    (EPOCHS, 47.0),
]

# Satellites: (PRN, elevation deg, elevation rate deg/min, azimuth deg, azimuth rate deg/min)
# at the start. PRNs 29 and 15 set while 30 and 10 rise.
CONSTELLATION = [
    (2, 68.0, -0.30, 45.0, 0.9),
    (5, 52.0, 0.35, 312.0, -0.5),
    (7, 35.0, -0.40, 118.0, 0.4),
    (9, 21.0, 0.45, 262.0, 0.3),
    (10, -6.0, 0.50, 205.0, 0.2),
    (13, 77.0, 0.15, 198.0, -1.6),
    (15, 8.0, -0.55, 160.0, 0.2),
    (16, 40.0, 0.25, 70.0, -0.6),
    (18, 28.0, -0.35, 228.0, -0.3),
    (20, 11.0, 0.50, 26.0, 0.15),
    (21, 58.0, -0.20, 140.0, 0.7),
    (26, 17.0, 0.40, 348.0, -0.25),
    (29, 4.0, -0.45, 292.0, 0.1),
    (30, -2.0, 0.50, 95.0, -0.1),
]
SATELLITES_REPORTED = 12
ELEVATION_MASK = 5.0
TRACK_SNR = 16  # below this the receiver has lost the satellite
USE_SNR = 24  # weakest signal put into the solution

# ---------------------------------------------------------------------------
# Arithmetic that gives the same bits everywhere. Python's math.sin and friends
# come from the platform's C library, whose last bits differ between systems;
# these use only + - * / and the correctly rounded sqrt.

PI = 3.141592653589793
HALF_PI = PI / 2
DEG = PI / 180.0


def _sin_cos_reduced(r):
    """sin and cos of |r| <= pi/4 by Taylor series."""
    r2 = r * r
    s, c = r, 1.0
    term_s, term_c = r, 1.0
    for n in range(1, 12):
        term_s *= -r2 / ((2 * n) * (2 * n + 1))
        term_c *= -r2 / ((2 * n - 1) * (2 * n))
        s += term_s
        c += term_c
    return s, c


def sin_cos(x):
    quadrant = int(round(x / HALF_PI))
    s, c = _sin_cos_reduced(x - quadrant * HALF_PI)
    return [(s, c), (c, -s), (-s, -c), (-c, s)][quadrant % 4]


def atan(x):
    if x < 0:
        return -atan(-x)
    if x > 1.0:
        return HALF_PI - atan(1.0 / x)
    # Two half-angle steps bring x below 0.2, where the series converges fast.
    for _ in range(2):
        x = x / (1.0 + math.sqrt(1.0 + x * x))
    x2, term, total = x * x, x, x
    for n in range(1, 20):
        term *= -x2
        total += term / (2 * n + 1)
    return 4.0 * total


def atan2(y, x):
    if x > 0:
        return atan(y / x)
    if x < 0:
        return atan(y / x) + (PI if y >= 0 else -PI)
    return HALF_PI if y > 0 else (-HALF_PI if y < 0 else 0.0)


def smoothstep(f):
    return f * f * (3.0 - 2.0 * f)


# ---------------------------------------------------------------------------
# Seeded noise (splitmix64, so the sequence is fixed by this file alone).

MASK64 = (1 << 64) - 1


def splitmix64(value):
    value = (value + 0x9E3779B97F4A7C15) & MASK64
    value = ((value ^ (value >> 30)) * 0xBF58476D1CE4E5B9) & MASK64
    value = ((value ^ (value >> 27)) * 0x94D049BB133111EB) & MASK64
    return value ^ (value >> 31)


class Noise:
    """One independent stream of uniform and roughly normal numbers."""

    def __init__(self, name):
        self.state = SEED
        for ch in name.encode("ascii"):
            self.state = splitmix64(self.state ^ ch)

    def uniform(self):
        self.state = splitmix64(self.state)
        return (self.state >> 11) / float(1 << 53)

    def normal(self):
        # Sum of six uniforms: mean 3, variance 1/2; close enough to a bell.
        return (sum(self.uniform() for _ in range(6)) - 3.0) * math.sqrt(2.0)


class Drift:
    """First-order autoregressive noise: standard deviation sigma, correlation time tau s."""

    def __init__(self, name, sigma, tau):
        self.noise = Noise(name)
        self.keep = 1.0 - 1.0 / tau
        self.kick = sigma * math.sqrt(1.0 - self.keep * self.keep)
        self.value = sigma * self.noise.normal()

    def step(self):
        self.value = self.keep * self.value + self.kick * self.noise.normal()
        return self.value


# ---------------------------------------------------------------------------
# The true trip, one state per second.


class Truth:
    def __init__(self, east, north, speed, heading, distance):
        self.east, self.north = east, north
        self.speed, self.heading = speed, heading
        self.distance = distance


def phase_table():
    table, start, speed, heading = [], 0.0, 0.0, START_HEADING
    for duration, end_speed, turn in PHASES:
        table.append((start, duration, speed, end_speed, heading, turn))
        start += duration
        speed, heading = end_speed, heading + turn
    if start != EPOCHS:
        raise AssertionError("phases last %g s, not %d" % (start, EPOCHS))
    return table


def motion_at(table, tau):
    for start, duration, v0, v1, h0, turn in table:
        if tau < start + duration:
            f = smoothstep((tau - start) / duration)
            return v0 + (v1 - v0) * f, h0 + turn * f
    start, duration, v0, v1, h0, turn = table[-1]
    return v1, h0 + turn


def simulate_trip():
    table = phase_table()
    substeps = 10
    east = north = distance = 0.0
    states = []
    for t in range(EPOCHS):
        if t > 0:
            for k in range(substeps):
                speed, heading = motion_at(table, t - 1 + (k + 0.5) / substeps)
                s, c = sin_cos(heading * DEG)
                step = speed / substeps
                east += step * s
                north += step * c
                distance += step
        speed, heading = motion_at(table, t)
        states.append(Truth(east, north, speed, heading % 360.0, distance))
    return states


def altitude_profile(states):
    knots = [(states[min(t, EPOCHS - 1)].distance, alt) for t, alt in ALTITUDE_KNOTS]

    def altitude(distance):
        for (d0, a0), (d1, a1) in zip(knots, knots[1:]):
            if distance <= d1:
                f = 0.0 if d1 <= d0 else (distance - d0) / (d1 - d0)
                return a0 + (a1 - a0) * smoothstep(min(max(f, 0.0), 1.0))
        return knots[-1][1]

    return altitude


# ---------------------------------------------------------------------------
# Local metres to degrees around the origin (WGS84 degree lengths there).

_, _COS_LAT0 = sin_cos(ORIGIN_LAT * DEG)
_COS_2LAT0 = 2.0 * _COS_LAT0 * _COS_LAT0 - 1.0
_COS_3LAT0 = 4.0 * _COS_LAT0**3 - 3.0 * _COS_LAT0
_COS_4LAT0 = 2.0 * _COS_2LAT0 * _COS_2LAT0 - 1.0
METRES_PER_DEG_LAT = 111132.92 - 559.82 * _COS_2LAT0 + 1.175 * _COS_4LAT0
METRES_PER_DEG_LON = 111412.84 * _COS_LAT0 - 93.5 * _COS_3LAT0


def to_lat_lon(east, north):
    return ORIGIN_LAT + north / METRES_PER_DEG_LAT, ORIGIN_LON + east / METRES_PER_DEG_LON


# ---------------------------------------------------------------------------
# Sky and signals.


class SkyView:
    """Reported satellites (highest first) and those used in the solution."""

    def __init__(self, satellites, used, fix):
        self.satellites = satellites  # [(prn, elevation, azimuth, snr or None)]
        self.used = used  # [(prn, elevation, azimuth)]
        self.fix = fix  # 1 none, 2 2D, 3 3D


class Sky:
    def __init__(self):
        self.fading = {prn: Drift("snr%d" % prn, 1.5, 10) for prn, *_ in CONSTELLATION}

    @staticmethod
    def attenuation(t, rank):
        """dB lost by the satellite of elevation rank `rank` (0 = highest) at second t."""
        loss = 2.0 if t < 290 else 3.0  # body, then car roof
        if rank >= 3:  # the buildings leave only the sky overhead
            loss += ramp(t, CANYON[0], CANYON[1], [6.0, 12.0], 30.0, [12.0, 6.0])
        loss += ramp(t, TUNNEL[0], TUNNEL_EXIT, [4.0, 8.0, 12.0], 60.0, [30.0, 15.0, 5.0])
        return loss

    def view(self, t):
        minutes = t / 60.0
        sky = []
        for prn, el0, el_rate, az0, az_rate in CONSTELLATION:
            sky.append((el0 + el_rate * minutes, prn, (az0 + az_rate * minutes) % 360.0))
        sky.sort(reverse=True)
        satellites, used = [], []
        for rank, (elevation, prn, azimuth) in enumerate(sky):
            fading = self.fading[prn].step()
            if rank >= SATELLITES_REPORTED:
                continue
            s, _ = sin_cos(elevation * DEG)
            snr = 26.0 + 22.0 * s + fading - self.attenuation(t, rank)
            snr = int(round(snr)) if elevation >= 3.0 and snr >= TRACK_SNR else None
            satellites.append((prn, elevation, azimuth, snr))
            if snr is not None and snr >= USE_SNR and elevation >= ELEVATION_MASK:
                used.append((prn, elevation, azimuth))
        in_tunnel = TUNNEL[0] <= t < TUNNEL[1]
        if in_tunnel or len(used) < 3:
            return SkyView(satellites, [], 1)
        return SkyView(satellites, used, 3 if len(used) >= 4 else 2)


def ramp(t, start, end, before, during, after):
    """`during` in [start, end), with the steps of `before` and `after` on either side."""
    if start - len(before) <= t < start:
        return before[t - start + len(before)]
    if start <= t < end:
        return during
    if end <= t < end + len(after):
        return after[t - end]
    return 0.0


def invert(matrix):
    """Gauss-Jordan inverse of a small symmetric positive definite matrix."""
    n = len(matrix)
    rows = [list(row) + [1.0 if i == j else 0.0 for j in range(n)] for i, row in enumerate(matrix)]
    for col in range(n):
        pivot = max(range(col, n), key=lambda r: abs(rows[r][col]))
        rows[col], rows[pivot] = rows[pivot], rows[col]
        scale = rows[col][col]
        rows[col] = [v / scale for v in rows[col]]
        for r in range(n):
            if r != col and rows[r][col] != 0.0:
                factor = rows[r][col]
                rows[r] = [a - factor * b for a, b in zip(rows[r], rows[col])]
    return [row[n:] for row in rows]


def dilution(used, fix):
    """(PDOP, HDOP, VDOP) of the satellites used; a 2D fix holds the altitude."""
    lines = []
    for _, elevation, azimuth in used:
        se, ce = sin_cos(elevation * DEG)
        sa, ca = sin_cos(azimuth * DEG)
        line = [-ce * sa, -ce * ca, 1.0] if fix == 2 else [-ce * sa, -ce * ca, -se, 1.0]
        lines.append(line)
    size = len(lines[0])
    normal = [[sum(row[i] * row[j] for row in lines) for j in range(size)] for i in range(size)]
    q = invert(normal)
    hdop = math.sqrt(q[0][0] + q[1][1])
    if fix == 2:
        return math.sqrt(hdop * hdop + 1.0), hdop, 1.0
    vdop = math.sqrt(q[2][2])
    return math.sqrt(hdop * hdop + vdop * vdop), hdop, vdop


# ---------------------------------------------------------------------------
# Sentence text.


def coordinate(value, degree_digits, hemispheres):
    units = int(round(abs(value) * 600000.0))  # 1/10000 minute
    degrees, minutes = divmod(units, 600000)
    text = "%0*d%02d.%04d" % (degree_digits, degrees, minutes // 10000, minutes % 10000)
    return text + "," + hemispheres[1 if value < 0 else 0]


def latitude(value):
    return coordinate(value, 2, "NS")


def longitude(value):
    return coordinate(value, 3, "EW")


def utc(t):
    h, m, s = START_TIME
    total = (h * 60 + m) * 60 + s + t
    return "%02d%02d%02d.000" % (total // 3600 % 24, total // 60 % 60, total % 60)


def clock(t):
    text = utc(t)
    return "%s:%s:%s" % (text[0:2], text[2:4], text[4:6])


def checksum(body):
    value = 0
    for ch in body.encode("ascii"):
        value ^= ch
    return value


def frame(body):
    return "$%s*%02X\r\n" % (body, checksum(body))


class Reported:
    """What the receiver reports at one second."""

    def __init__(self, t, view, lat, lon, altitude, speed, course):
        self.t, self.view = t, view
        self.lat, self.lon, self.altitude = lat, lon, altitude
        self.speed, self.course = speed, course  # knots, degrees


class Receiver:
    """Turns the true trip into reported fixes, with the errors of a real receiver."""

    def __init__(self, states):
        self.states = states
        self.altitude_of = altitude_profile(states)
        self.sky = Sky()
        self.bias_e = Drift("bias east", 1.2, 40)
        self.bias_n = Drift("bias north", 1.2, 40)
        self.jitter = Noise("jitter")
        self.alt_noise = Drift("altitude", 0.6, 90)
        self.vel_e = Drift("velocity east", 0.08, 3)
        self.vel_n = Drift("velocity north", 0.08, 3)
        self.held_altitude = None
        self.speed, self.course = 0.0, START_HEADING

    def report(self, t):
        truth = self.states[t]
        view = self.sky.view(t)
        errors = (self.bias_e.step() + 0.25 * self.jitter.normal(),
                  self.bias_n.step() + 0.25 * self.jitter.normal())
        s, c = sin_cos(truth.heading * DEG)
        ve = truth.speed * s + self.vel_e.step()
        vn = truth.speed * c + self.vel_n.step()
        if view.fix == 1:
            self.held_altitude = None
            return Reported(t, view, None, None, None, self.speed, self.course)
        lat, lon = to_lat_lon(truth.east + errors[0], truth.north + errors[1])
        if view.fix == 2:
            if self.held_altitude is None:
                self.held_altitude = self.altitude_of(truth.distance) + self.alt_noise.value
            altitude = self.held_altitude
        else:
            # The vertical error only evolves while the receiver solves for height, so a
            # 3D fix resumes where the last one left off rather than jumping.
            altitude = self.altitude_of(truth.distance) + self.alt_noise.step()
            self.held_altitude = None
        speed = math.sqrt(ve * ve + vn * vn)
        self.speed = speed * KNOTS_PER_MPS
        if speed >= 0.25:  # below that the course is noise; keep the last one
            self.course = (atan2(ve, vn) / DEG) % 360.0
        return Reported(t, view, lat, lon, altitude, self.speed, self.course)


def gga(r):
    if r.lat is None:
        return "GPGGA,%s,,,,,0,00,99.99,,,,,," % utc(r.t)
    _, hdop, _ = dilution(r.view.used, r.view.fix)
    return "GPGGA,%s,%s,%s,1,%02d,%.2f,%.1f,M,%.1f,M,," % (
        utc(r.t), latitude(r.lat), longitude(r.lon), len(r.view.used), hdop, r.altitude,
        GEOID_SEPARATION)


def gsa(r):
    prns = ["%02d" % prn for prn, _, _ in r.view.used][:12]
    prns += [""] * (12 - len(prns))
    if r.view.fix == 1:
        dops = "99.99,99.99,99.99"
    else:
        dops = "%.2f,%.2f,%.2f" % dilution(r.view.used, r.view.fix)
    return "GPGSA,A,%d,%s,%s" % (r.view.fix, ",".join(prns), dops)


def gsv(r):
    satellites = r.view.satellites
    total = (len(satellites) + 3) // 4
    bodies = []
    for n in range(total):
        fields = []
        for prn, elevation, azimuth, snr in satellites[4 * n:4 * n + 4]:
            fields.append("%02d,%02d,%03d,%s" % (prn, int(round(elevation)),
                                                 int(round(azimuth)) % 360,
                                                 "" if snr is None else "%02d" % snr))
        bodies.append("GPGSV,%d,%d,%02d,%s" % (total, n + 1, len(satellites), ",".join(fields)))
    return bodies


def rmc(r):
    day, month, year = START_DATE
    date = "%02d%02d%02d" % (day, month, year % 100)
    motion = "%.2f,%.2f" % (r.speed, r.course)
    if r.lat is None:
        return "GPRMC,%s,V,,,,,%s,%s,%s,E" % (utc(r.t), motion, date, MAGNETIC_VARIATION)
    return "GPRMC,%s,A,%s,%s,%s,%s,%s,A" % (utc(r.t), latitude(r.lat), longitude(r.lon), motion,
                                            date, MAGNETIC_VARIATION)


class Route:
    """The receiver's own go-to: a leg from where the car stood to the destination."""

    def __init__(self, states):
        origin = states[NAV_START - 10]
        self.origin = to_lat_lon(origin.east, origin.north)
        end = states[-1]
        self.destination = to_lat_lon(end.east + DESTINATION_OFFSET_M[0],
                                      end.north + DESTINATION_OFFSET_M[1])
        _, self.cos_lat = sin_cos(self.destination[0] * DEG)

    def offset_nmi(self, frm, to):
        """(east, north) from one position to another in nautical miles (minutes of arc)."""
        return ((to[1] - frm[1]) * 60.0 * self.cos_lat, (to[0] - frm[0]) * 60.0)

    def rmb(self, r):
        ids = "%s,%s,%s,%s" % (NAV_ORIGIN_ID, NAV_DESTINATION_ID, latitude(self.destination[0]),
                               longitude(self.destination[1]))
        if r.lat is None:
            return "GPRMB,V,,,%s,,,,V,N" % ids
        here = (r.lat, r.lon)
        de, dn = self.offset_nmi(here, self.destination)
        distance = math.sqrt(de * de + dn * dn)
        bearing = (atan2(de, dn) / DEG) % 360.0
        closing = r.speed * sin_cos((r.course - bearing) * DEG)[1]
        le, ln = self.offset_nmi(self.origin, self.destination)
        pe, pn = self.offset_nmi(self.origin, here)
        cross = (le * pn - ln * pe) / math.sqrt(le * le + ln * ln)  # > 0: left of the leg
        arrived = "A" if distance <= ARRIVAL_RANGE_NMI else "V"
        closing_text = "%.1f" % closing
        if closing_text == "-0.0":
            closing_text = "0.0"
        return "GPRMB,A,%.2f,%s,%s,%.2f,%05.1f,%s,%s,A" % (
            min(abs(cross), 9.99), "R" if cross > 0 else "L", ids, distance, bearing,
            closing_text, arrived)


def zda(r):
    day, month, year = START_DATE
    return "GPZDA,%s,%02d,%02d,%04d,00,00" % (utc(r.t), day, month, year)


def pgrme(r):
    if r.lat is None:
        return "PGRME,,M,,M,,M"
    _, hdop, vdop = dilution(r.view.used, r.view.fix)
    horizontal, vertical = 5.1 * hdop, 5.1 * vdop
    return "PGRME,%.1f,M,%.1f,M,%.1f,M" % (horizontal, vertical,
                                           math.sqrt(horizontal**2 + vertical**2))


def sentence_bodies():
    states = simulate_trip()
    receiver = Receiver(states)
    route = Route(states)
    for t in range(EPOCHS):
        r = receiver.report(t)
        yield gga(r)
        yield gsa(r)
        yield from gsv(r)
        yield rmc(r)
        if t >= NAV_START:
            yield route.rmb(r)
        if t % ZDA_EVERY == 0:
            yield zda(r)
        if t % PGRME_EVERY == 0:
            yield pgrme(r)


# ---------------------------------------------------------------------------
# Deliberate line noise.


def corrupted_draw(index):
    """A seeded draw for the block of `index`, or None when this sentence stays intact."""
    draw = splitmix64(SEED ^ splitmix64(index // CORRUPT_BLOCK))
    return draw if index % CORRUPT_BLOCK == draw % CORRUPT_BLOCK else None


def corrupt(line, draw):
    """Change one digit of the data, or every other time the checksum's low digit."""
    star = line.index("*")
    digits = [i for i in range(line.index(","), star) if line[i].isdigit()]
    choice = draw >> 20
    if choice % 2 and digits:
        i = digits[(choice >> 1) % len(digits)]
        new = str((int(line[i]) + 1 + (choice >> 8) % 9) % 10)
    else:
        i = star + 2
        hexdigits = "0123456789ABCDEF"
        new = hexdigits[(hexdigits.index(line[i]) + 1 + (choice >> 8) % 15) % 16]
    return line[:i] + new + line[i + 1:]


def generate():
    lines = []
    for index, body in enumerate(sentence_bodies()):
        line = frame(body)
        if len(line) > MAX_SENTENCE:
            raise AssertionError("sentence longer than %d bytes: %s" % (MAX_SENTENCE, line))
        draw = corrupted_draw(index)
        lines.append(line if draw is None else corrupt(line, draw))
    return "".join(lines).encode("ascii")


def write(path):
    data = generate()
    temporary = path + ".tmp"
    try:
        with open(temporary, "wb") as out:
            out.write(data)
        os.replace(temporary, path)
    except OSError as error:
        sys.stderr.write("make_demo_log: cannot write %s: %s\n" % (path, error.strerror))
        try:
            os.remove(temporary)
        except OSError:
            pass
        return 1
    return 0


# ---------------------------------------------------------------------------
# --check: re-parse a file and validate it against the plan above.

LINE = re.compile(r"\$([A-Z]{2,7}),([^$*\r\n]*)\*([0-9A-F]{2})\r\n")


def expected_counts():
    return {
        "GPGGA": EPOCHS,
        "GPGSA": EPOCHS,
        "GPGSV": EPOCHS * ((SATELLITES_REPORTED + 3) // 4),
        "GPRMC": EPOCHS,
        "GPRMB": EPOCHS - NAV_START,
        "GPZDA": (EPOCHS + ZDA_EVERY - 1) // ZDA_EVERY,
        "PGRME": (EPOCHS + PGRME_EVERY - 1) // PGRME_EVERY,
    }


class CheckFailure(Exception):
    pass


def epoch_fix(fields_by_tag, t):
    """Fix class of one epoch (1 none, 2 2D, 3 3D) from whichever sentences arrived intact."""
    votes = set()
    gga = fields_by_tag.get("GPGGA")
    if gga:
        if gga[0] != utc(t):
            raise CheckFailure("GGA of second %d has time %s" % (t, gga[0]))
        no_fix = gga[5] == "0"
        if no_fix != (gga[1] == ""):
            raise CheckFailure("GGA at %s: quality and position disagree" % gga[0])
        votes.add(1 if no_fix else "fix")
    gsa = fields_by_tag.get("GPGSA")
    if gsa:
        used = sum(1 for prn in gsa[2:14] if prn)
        fix = int(gsa[1])
        if (fix == 1) != (used == 0) or (fix == 2 and used != 3) or (fix == 3 and used < 4):
            raise CheckFailure("GSA of second %d: fix type %d with %d satellites" % (t, fix, used))
        votes.add(fix)
    rmc = fields_by_tag.get("GPRMC")
    if rmc:
        votes.add(1 if rmc[1] == "V" else "fix")
    if gga and gsa and gga[5] != "0" and int(gga[6]) != sum(1 for prn in gsa[2:14] if prn):
        raise CheckFailure("GGA and GSA of second %d count different satellites" % t)
    if 1 in votes and len(votes) > 1:
        raise CheckFailure("sentences of second %d disagree about the fix" % t)
    kinds = votes - {"fix"}
    return kinds.pop() if kinds else None


def runs(fixes, kind):
    found, start = [], None
    for t, fix in enumerate(fixes + [None]):
        if fix == kind and start is None:
            start = t
        elif fix != kind and start is not None:
            found.append((start, t))
            start = None
    return found


def check(path):
    with open(path, "rb") as f:
        data = f.read()
    try:
        lines = data.decode("ascii").split("\r\n")
    except UnicodeDecodeError as error:
        raise CheckFailure("not ASCII text (byte 0x%02X at offset %d)" % (
            data[error.start], error.start))
    if lines[-1] != "":
        raise CheckFailure("the file does not end with CRLF")
    counts, bad, epochs = {}, [], []
    for index, line in enumerate(lines[:-1]):
        match = LINE.fullmatch(line + "\r\n")
        if not match or len(line) + 2 > MAX_SENTENCE:
            raise CheckFailure("line %d is not a well-formed sentence: %r" % (index + 1,
                                                                              line[:MAX_SENTENCE]))
        tag, body, digits = match.groups()
        counts[tag] = counts.get(tag, 0) + 1
        if tag == "GPGGA":
            epochs.append({})
        if not epochs:
            raise CheckFailure("line %d comes before the first GGA" % (index + 1))
        if checksum(tag + "," + body) != int(digits, 16):
            bad.append(index)
            continue
        fields = body.split(",")
        if tag == "GPGSV":
            if fields[0] != "3" or fields[2] != "%02d" % SATELLITES_REPORTED:
                raise CheckFailure("GSV on line %d does not hold 12 satellites in 3" % (index + 1))
        epochs[-1][tag] = fields
    planned = [i for i in range(len(lines) - 1) if corrupted_draw(i) is not None]
    if bad != planned:
        raise CheckFailure("bad checksums on lines %s, planned %s" % (
            [i + 1 for i in bad], [i + 1 for i in planned]))
    if counts != expected_counts():
        raise CheckFailure("sentence counts %s, expected %s" % (counts, expected_counts()))
    if len(epochs) != EPOCHS:
        raise CheckFailure("%d epochs, expected %d" % (len(epochs), EPOCHS))
    try:
        lost, flat, arrival = timeline(epochs)
    except (ValueError, IndexError) as error:
        raise CheckFailure("malformed fields (%s)" % error)

    def span(run):
        return "%s-%s (%d s)" % (clock(run[0]), clock(run[1] - 1), run[1] - run[0])

    summary = ", ".join("%s %d" % (tag[2:] if tag.startswith("GP") else tag, counts[tag])
                        for tag in expected_counts())
    print("%s: OK, %d bytes, %d sentences (%s), %d bad checksums as planned, no fix %s, 2D %s, "
          "route %s-%s, arrival %s" % (
              path, len(data), len(lines) - 1, summary, len(bad), span(lost), span(flat),
              clock(NAV_START), clock(EPOCHS - 1), clock(arrival)))


def timeline(epochs):
    """The no-fix and 2D stretches and the second of arrival, each checked against the plan."""
    fixes, previous = [], None
    for t, fields in enumerate(epochs):
        # An epoch whose fix sentences were all corrupted continues the one before.
        fix = epoch_fix(fields, t)
        previous = previous if fix is None else fix
        fixes.append(previous)
    lost, flat = runs(fixes, 1), runs(fixes, 2)
    if lost != [TUNNEL]:
        raise CheckFailure("no-fix stretches %s, expected %s" % (lost, [TUNNEL]))
    if flat != [CANYON]:
        raise CheckFailure("2D stretches %s, expected %s" % (flat, [CANYON]))
    arrivals = [(t, e["GPRMB"][12]) for t, e in enumerate(epochs) if "GPRMB" in e]
    if arrivals[0][1] != "V" or arrivals[-1][1] != "A":
        raise CheckFailure("the route never reaches its destination")
    return lost[0], flat[0], next(t for t, status in arrivals if status == "A")


def main(argv):
    if len(argv) == 2 and argv[1] not in ("--check", "-h", "--help"):
        return write(argv[1])
    if len(argv) == 3 and argv[1] == "--check":
        try:
            check(argv[2])
        except OSError as error:
            sys.stderr.write("make_demo_log: cannot read %s: %s\n" % (argv[2], error.strerror))
            return 2
        except CheckFailure as error:
            sys.stderr.write("make_demo_log: %s: %s\n" % (argv[2], error))
            return 1
        return 0
    usage = "usage: make_demo_log.py OUT | --check FILE\n"
    if len(argv) == 2 and argv[1] in ("-h", "--help"):
        sys.stdout.write(usage)
        return 0
    sys.stderr.write(usage)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
