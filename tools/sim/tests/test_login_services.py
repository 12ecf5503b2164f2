"""The update list and files and the usage-statistics service, in their exact GET forms."""

import http.client
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from simtest import DEADLINE, HOST, SimHost  # noqa: E402


class LoginServicesTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.host = SimHost().start()

    @classmethod
    def tearDownClass(cls):
        cls.host.stop()

    def setUp(self):
        self.host.ok("reset")

    def request(self, method, target, body=None):
        connection = http.client.HTTPConnection(HOST, self.host.ports["http"], timeout=DEADLINE)
        try:
            connection.request(method, target, body=body)
            response = connection.getresponse()
            return response.status, response.read()
        finally:
            connection.close()

    def test_update_list_names_its_files_and_serves_them(self):
        self.host.ok("http update version 3")
        self.host.ok("http update file update\\bin\\Login.dll 3 new library")
        status, body = self.request("GET", "/update/UpdateList.ini")
        self.assertEqual(200, status)
        text = body.decode("gbk")
        self.assertIn("Version=3\r\n", text)
        self.assertIn("Url=http://%s:%d/update/files/\r\n" % (HOST, self.host.ports["http"]), text)
        self.assertIn("update\\bin\\Login.dll=3\r\n", text)
        self.assertEqual((200, b"new library"), self.request("GET", "/update/files/update/bin/login.dll"))
        self.assertEqual(404, self.request("GET", "/update/files/update/bin/other.dll")[0])
        self.assertEqual([], self.host.ok("refusals"))

    def test_statistics_takes_only_the_exact_query(self):
        self.assertEqual((200, b"OK"), self.request("GET", "/StatisticTolvan/insertStatistic?mode=p&mark=001A2B3C4D5E"))
        self.assertEqual(["001A2B3C4D5E"], self.host.ok("http statistics"))
        self.assertEqual([], self.host.ok("refusals"))
        cases = [("GET", "/StatisticTolvan/insertStatistic?mode=p&mark=001a2b3c4d5e", None),
                 ("GET", "/StatisticTolvan/insertStatistic?mark=001A2B3C4D5E&mode=p", None),
                 ("GET", "/StatisticTolvan/insertStatistic?mode=p&mark=", None),
                 ("POST", "/StatisticTolvan/insertStatistic?mode=p&mark=001A2B3C4D5E", b"x")]
        for method, target, body in cases:
            with self.subTest(target=target, method=method):
                self.assertNotEqual(200, self.request(method, target, body)[0])
        self.assertEqual(len(cases), len(self.host.ok("refusals")))
        self.assertEqual(["001A2B3C4D5E"], self.host.ok("http statistics"))


if __name__ == "__main__":
    unittest.main()
