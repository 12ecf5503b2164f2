"""What the terminal fetches around its login over plain GET: the published update list and
its files, and the usage-statistics service. Exact forms only: a statistics request must be
`GET /StatisticTolvan/insertStatistic?mode=p&mark=<upper-case hexadecimal>` and nothing else."""

import re

TEXT_TYPE = "text/plain; charset=gbk"
UPDATE_LIST_PATH = "/update/UpdateList.ini"
UPDATE_FILES_PREFIX = "/update/files/"
STATISTICS_PATH = "/StatisticTolvan/insertStatistic"
_MARK = re.compile(r"mode=p&mark=([0-9A-F]{2})+")


class LoginServices:
    def __init__(self):
        self.reset()

    def reset(self):
        self.update_version = 1
        # name as in the list ("update\\bin\\x.dll") -> (version, bytes)
        self.update_files = {}
        self.statistics = []

    def handles(self, path):
        return path in (UPDATE_LIST_PATH, STATISTICS_PATH) or path.startswith(UPDATE_FILES_PREFIX)

    def update_list(self, base):
        lines = ["[Config]", "Version=%d" % self.update_version, "Url=%s%s" % (base, UPDATE_FILES_PREFIX),
                 "[Files]", "update\\UpdateList.ini=%d" % self.update_version]
        lines += ["%s=%d" % (name, version) for name, (version, _) in sorted(self.update_files.items())]
        return ("\r\n".join(lines) + "\r\n").encode("gbk")

    def answer(self, request, refuse):
        """(status, type, body) for a GET on one of these paths; refuse(reason) records a
        request in another form."""
        if request.method != "GET" or request.body:
            refuse("%s with a body instead of a plain GET" % request.method)
            return 405, TEXT_TYPE, b"GET only\n"
        if request.path == STATISTICS_PATH:
            if not _MARK.fullmatch(request.raw_query):
                refuse("statistics query %r is not mode=p&mark=<upper-case hex>" % request.raw_query)
                return 400, TEXT_TYPE, b"bad mark\n"
            self.statistics.append(request.raw_query[len("mode=p&mark="):])
            return 200, TEXT_TYPE, b"OK"
        if request.raw_query:
            refuse("a query on an update download")
            return 400, TEXT_TYPE, b"no query\n"
        if request.path == UPDATE_LIST_PATH:
            host = request.headers.get("host", "127.0.0.1")
            return 200, TEXT_TYPE, self.update_list("http://" + host)
        name = request.path[len(UPDATE_FILES_PREFIX):].replace("/", "\\")
        for listed, (_, data) in self.update_files.items():
            if listed.lower() == name.lower():
                return 200, "application/octet-stream", data
        return 404, TEXT_TYPE, b"no such file\n"
